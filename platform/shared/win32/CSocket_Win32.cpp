#include "platform/shared/win32/CSocket_Win32.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "host/LastError.h"
#include "platform/shared/core/Debug.h"

namespace {

bool InSet(winsock::SOCKET s, const winsock::fd_set& set) {
    return std::find(set.fd_array, set.fd_array + set.fd_count, s) != set.fd_array + set.fd_count;
}

// Text for a "%s" of the log: never null.
const char* Printable(const char* text) { return text != nullptr ? text : "(null)"; }

// A pointer as the log prints it ("%lx").
unsigned long PointerValue(const void* pointer) {
    return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(pointer));
}

}  // namespace

ICSocket* CSocket_Win32::Create() { return new (std::nothrow) CSocket_Win32(); }

CSocket_Win32::CSocket_Win32() {
    winsock::WSADATA data;
    winsock::WSAStartup(winsock::MAKEWORD(2, 2), &data);
}

CSocket_Win32::~CSocket_Win32() {
    Disconnect();
    winsock::WSACleanup();
}

bool CSocket_Win32::IsBusy() { return m_state >= kConnecting && m_state <= kCompleting; }

std::uint32_t CSocket_Win32::GetResult() { return IsBusy() ? kResultBusy : m_result; }

std::uint32_t CSocket_Win32::GetSocketError() { return m_socketError; }

void* CSocket_Win32::GetBuffer() { return m_buffer; }

std::uint32_t CSocket_Win32::GetBytesTransferred() { return m_transferred; }

std::uint32_t CSocket_Win32::Connect(const char* hostName, std::uint16_t port, std::int32_t timeoutMs) {
    if (IsBusy()) return kResultBusy;
    DebugPrintf("SOCKET: connect requested, host %s, port %hu, timeout %i", Printable(hostName), port, timeoutMs);
    ClearRequest();
    const std::uint32_t result = StartConnect(hostName, port, timeoutMs);
    RecordError();
    return result;
}

std::uint32_t CSocket_Win32::StartConnect(const char* hostName, std::uint16_t port, std::int32_t timeoutMs) {
    // A name, else dotted text that the resolver knows by its address.
    const winsock::hostent* entry = winsock::gethostbyname(hostName);
    if (entry == nullptr) {
        const winsock::u_long address = winsock::inet_addr(hostName);
        if (address != winsock::INADDR_NONE) {
            entry = winsock::gethostbyaddr(reinterpret_cast<const char*>(&address), 4, winsock::AF_INET);
        }
    }
    if (entry == nullptr || entry->h_addr_list[0] == nullptr) return kResultHostNotFound;

    std::uint32_t address;
    std::memcpy(&address, entry->h_addr_list[0], 4);
    if (m_socket != winsock::INVALID_SOCKET && (address != m_address || port != m_port)) ReleaseSocket();
    m_hostName.AssignCStr(entry->h_name);
    m_port = port;
    m_address = address;

    if (m_socket == winsock::INVALID_SOCKET) {
        m_socket = winsock::socket(winsock::AF_INET, winsock::SOCK_STREAM, winsock::IPPROTO_TCP);
        if (m_socket == winsock::INVALID_SOCKET) return kResultNoSocket;
    }
    winsock::u_long nonBlocking = 1;
    if (winsock::ioctlsocket(m_socket, winsock::FIONBIO, &nonBlocking) != 0) return kResultConnectFailed;

    winsock::sockaddr_in target{};
    target.sin_family = winsock::AF_INET;
    target.sin_port = winsock::htons(port);
    target.sin_addr.s_addr = address;
    if (winsock::connect(m_socket, reinterpret_cast<const winsock::sockaddr*>(&target), sizeof target) == 0) {
        return kResultOk;  // connected at once; nothing left to do
    }
    switch (GetLastError()) {
    case winsock::WSAEWOULDBLOCK:  // under way: the connecting step watches it
        m_state = kConnecting;
        m_timer = timeoutMs;
        return kResultOk;
    case winsock::WSAEISCONN:  // the kept socket is connected already
        return kResultOk;
    default:
        return kResultConnectFailed;
    }
}

void CSocket_Win32::Disconnect() {
    DebugPrintf("SOCKET: disconnect requested");
    ReleaseSocket();
    ClearRequest();
}

std::uint32_t CSocket_Win32::Send(const void* buffer, std::uint32_t byteCount, std::int32_t timeoutMs) {
    if (IsBusy()) return kResultBusy;
    DebugPrintf("SOCKET: send requested, buffer %lx, numBytes %lu, timeout %i", PointerValue(buffer),
                static_cast<unsigned long>(byteCount), timeoutMs);
    ClearRequest();
    std::uint32_t result = kResultOk;
    if (m_socket == winsock::INVALID_SOCKET) {
        result = kResultDisconnected;
    } else if (buffer == nullptr || byteCount == 0) {
        result = kResultBadArgument;
    } else {
        DebugPrintf("SOCKET: sending %lu bytes", static_cast<unsigned long>(byteCount));
        m_buffer = const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(buffer));
        m_requested = byteCount;
        m_timer = timeoutMs;
        m_state = kSending;
    }
    RecordError();
    return result;
}

std::uint32_t CSocket_Win32::Receive(void* buffer, std::uint32_t capacity, std::int32_t timeoutMs) {
    if (IsBusy()) return kResultBusy;
    DebugPrintf("SOCKET: receive requested, buffer %lx, bufSize %lu, timeout %i", PointerValue(buffer),
                static_cast<unsigned long>(capacity), timeoutMs);
    ClearRequest();
    std::uint32_t result = kResultOk;
    if (m_socket == winsock::INVALID_SOCKET) {
        result = kResultDisconnected;
    } else if (buffer == nullptr || capacity == 0) {
        // A read of 0 bytes would look like the peer closing the connection.
        result = kResultBadArgument;
    } else {
        DebugPrintf("SOCKET: receiving up to %lu bytes", static_cast<unsigned long>(capacity));
        m_buffer = static_cast<std::uint8_t*>(buffer);
        m_requested = capacity;
        m_timer = timeoutMs;
        m_state = kReceiving;
    }
    RecordError();
    return result;
}

void CSocket_Win32::Update(std::uint32_t elapsedMs) {
    const bool busy = IsBusy();
    if (m_timer > 0) {
        const std::int64_t left = std::int64_t{m_timer} - elapsedMs;
        m_timer = left < 1 ? 0 : static_cast<std::int32_t>(left);
        if (m_timer == 0 && busy) {
            DebugPrintf("SOCKET: Timeout triggered");
            m_result = kResultTimeout;
            m_state = kCompleting;
        } else if (m_timer == 0) {
            DebugPrintf("SOCKET: Idle timer triggered");
            ReleaseSocket();
        }
    }
    switch (m_state) {
    case kConnecting:
        StepConnecting();
        break;
    case kSending:
        StepSending();
        break;
    case kReceiving:
        StepReceiving();
        break;
    case kCompleting:
        StepCompleting();
        break;
    default:
        break;
    }
}

void CSocket_Win32::StepConnecting() {
    if (m_socket == winsock::INVALID_SOCKET) {
        DebugPrintf("SOCKET: Connect failed - disconnected");
        Fail(kResultDisconnected);
        return;
    }
    winsock::fd_set readSet = {1, {m_socket}};
    winsock::fd_set writeSet = {1, {m_socket}};
    winsock::fd_set errorSet = {1, {m_socket}};
    const winsock::timeval now = {0, 0};
    const int count = winsock::select(0, &readSet, &writeSet, &errorSet, &now);
    if (count == 0) return;
    if (count < 0) {
        DebugPrintf("SOCKET: Connect - failed - error %x", RecordError());
        Fail(kResultConnectFailed);
        return;
    }
    // A failed connect also shows as writable here: the socket's pending
    // error tells it from a connection.
    int error = 0;
    int length = sizeof error;
    const bool known = winsock::getsockopt(m_socket, winsock::SOL_SOCKET, winsock::SO_ERROR,
                                           reinterpret_cast<char*>(&error), &length) == 0;
    if (InSet(m_socket, writeSet) && known && error == 0) {
        DebugPrintf("SOCKET: Connected to host %s", Printable(m_hostName.GetBuffer()));
        m_state = kCompleting;
    } else {
        if (known) {
            DebugPrintf("SOCKET: Connect - failed - connect error %x", static_cast<unsigned>(error));
        } else {
            DebugPrintf("SOCKET: Connect - failed - unknown error");
        }
        Fail(kResultConnectFailed);
    }
}

void CSocket_Win32::StepSending() {
    const int sent =
        m_socket == winsock::INVALID_SOCKET
            ? 0
            : winsock::send(m_socket, reinterpret_cast<const char*>(m_buffer + m_transferred),
                            static_cast<int>(std::min(kStepBytes, m_requested - m_transferred)), 0);
    if (sent > 0) {
        m_transferred += static_cast<std::uint32_t>(sent);
        DebugPrintf("SOCKET: Send - sent %d/%d bytes", static_cast<int>(m_transferred), static_cast<int>(m_requested));
        if (m_transferred >= m_requested) m_state = kCompleting;
    } else if (sent == 0) {
        DebugPrintf("SOCKET: Send failed - disconnected");
        Fail(kResultDisconnected);
    } else if (GetLastError() == winsock::WSAEWOULDBLOCK) {
        DebugPrintf("SOCKET: Send - blocked");
    } else {
        DebugPrintf("SOCKET: Send - failed - error %x", static_cast<unsigned>(GetLastError()));
        Fail(kResultSendError);
    }
}

void CSocket_Win32::StepReceiving() {
    const int received =
        m_socket == winsock::INVALID_SOCKET
            ? 0
            : winsock::recv(m_socket, reinterpret_cast<char*>(m_buffer + m_transferred),
                            static_cast<int>(std::min(kStepBytes, m_requested - m_transferred)), 0);
    if (received > 0) {
        m_transferred += static_cast<std::uint32_t>(received);
        DebugPrintf("SOCKET: Receive - received %d/%d bytes", static_cast<int>(m_transferred),
                    static_cast<int>(m_requested));
        m_state = kCompleting;
    } else if (received == 0) {
        DebugPrintf("SOCKET: Receive - disconnected");
        Fail(kResultDisconnected);
    } else if (GetLastError() == winsock::WSAEWOULDBLOCK) {
        DebugPrintf("SOCKET: Receive - blocked");
    } else {
        DebugPrintf("SOCKET: Receive - error 0x%x", static_cast<unsigned>(GetLastError()));
        Fail(kResultReceiveError);
    }
}

void CSocket_Win32::StepCompleting() {
    if (m_result != kResultOk) {
        RecordError();
        ReleaseSocket();
    } else {
        m_timer = kIdleTimeoutMs;
    }
    DebugPrintf("SOCKET: complete (0x%04x, 0x%04x)", m_result, m_socketError);
    m_state = kComplete;
}

void CSocket_Win32::Fail(std::uint32_t result) {
    m_result = result;
    m_state = kCompleting;
}

std::uint32_t CSocket_Win32::RecordError() {
    if (m_socketError == 0) m_socketError = GetLastError();
    return m_socketError;
}

void CSocket_Win32::ReleaseSocket() {
    if (m_socket == winsock::INVALID_SOCKET) return;
    DebugPrintf("SOCKET: releasing socket");
    winsock::shutdown(m_socket, winsock::SD_SEND);
    winsock::shutdown(m_socket, winsock::SD_BOTH);
    winsock::closesocket(m_socket);
    m_socket = winsock::INVALID_SOCKET;
}

void CSocket_Win32::ClearRequest() {
    m_buffer = nullptr;
    m_requested = 0;
    m_transferred = 0;
    m_state = kIdle;
    m_result = kResultOk;
    m_socketError = 0;
    m_timer = 0;
}
