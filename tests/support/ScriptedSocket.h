// A socket whose peer is a script: every request completes at once, what is
// sent is kept, and receives hand out the reply in pieces of the chosen
// sizes (taken in turn; none means as much as the caller asks for). Once
// the reply is used up a receive fails as a closed connection does.
#pragma once

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/shared/components/ICSocket.h"

class ScriptedSocket : public ICSocket {
public:
    ScriptedSocket(std::vector<std::uint8_t> reply, std::vector<std::uint32_t> pieces)
        : m_reply(std::move(reply)), m_pieces(std::move(pieces)) {}

    bool IsBusy() override { return false; }
    std::uint32_t GetResult() override { return m_result; }
    std::uint32_t GetSocketError() override { return 0; }
    void* GetBuffer() override { return nullptr; }
    std::uint32_t GetBytesTransferred() override { return m_transferred; }

    std::uint32_t Connect(const char*, std::uint16_t, std::int32_t) override {
        ++m_connects;
        m_connected = true;
        return Complete(kResultOk, 0);
    }
    void Disconnect() override { m_connected = false; }
    std::uint32_t Send(const void* buffer, std::uint32_t count, std::int32_t) override {
        if (!m_connected) return kResultDisconnected;
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        m_sent.insert(m_sent.end(), bytes, bytes + count);
        return Complete(kResultOk, count);
    }
    std::uint32_t Receive(void* buffer, std::uint32_t capacity, std::int32_t) override {
        if (!m_connected) return kResultDisconnected;
        std::size_t n = std::min<std::size_t>(capacity, m_reply.size() - m_position);
        if (!m_pieces.empty())
            n = std::min<std::size_t>(n, std::max<std::uint32_t>(1, m_pieces[m_piece++ % m_pieces.size()]));
        if (n == 0) return Complete(kResultDisconnected, 0);
        std::memcpy(buffer, m_reply.data() + m_position, n);
        m_position += n;
        return Complete(kResultOk, static_cast<std::uint32_t>(n));
    }
    void Update(std::uint32_t) override {}

    const std::vector<std::uint8_t>& Sent() const { return m_sent; }
    int Connects() const { return m_connects; }
    bool Connected() const { return m_connected; }

private:
    std::uint32_t Complete(std::uint32_t result, std::uint32_t transferred) {
        m_result = result;
        m_transferred = transferred;
        return kResultOk;
    }

    std::vector<std::uint8_t> m_reply;
    std::vector<std::uint32_t> m_pieces;
    std::size_t m_position = 0;
    std::size_t m_piece = 0;
    std::vector<std::uint8_t> m_sent;
    std::uint32_t m_result = kResultOk;
    std::uint32_t m_transferred = 0;
    int m_connects = 0;
    bool m_connected = false;
};
