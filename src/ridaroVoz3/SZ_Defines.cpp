#include "src/ridaroVoz3/SZ_Defines.h"

#include <initializer_list>
#include <new>

#include "platform/shared/components/CBinRes.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"

namespace {

constexpr const char* kSource = "SZ_Defines";

}  // namespace

void SZ_AnimTimeline::set(const std::uint16_t* durations, std::uint8_t frameCount, std::uint8_t speed,
                          std::int8_t direction, std::uint8_t loop) {
    m_durations = durations;
    m_frameCount = frameCount;
    std::uint32_t total = 0;
    for (std::uint32_t i = 0; i < frameCount; ++i) total += durations[i];
    m_total = static_cast<std::uint16_t>(total);
    m_loop = loop;
    m_speed = speed;
    rewind(direction);
}

void SZ_AnimTimeline::rewind(std::int8_t direction) {
    placeAtStart(direction);
    m_time = m_windowStart;
    m_direction = direction == 1 ? 1 : -1;
}

void SZ_AnimTimeline::placeAtStart(std::int8_t direction) {
    const bool frames = m_frameCount != 0 && m_durations != nullptr;
    if (direction == 1) {
        m_currentFrame = 0;
        m_windowStart = 0;
        m_windowEnd = frames ? m_durations[0] : 0;
    } else {
        m_currentFrame = frames ? static_cast<std::uint8_t>(m_frameCount - 1) : 0;
        m_windowStart = m_total;
        m_windowEnd = static_cast<std::uint16_t>(m_total - (frames ? m_durations[m_frameCount - 1] : 0));
    }
}

void SZ_AnimTimeline::reverse() {
    const std::uint16_t start = m_windowStart;
    m_windowStart = m_windowEnd;
    m_windowEnd = start;
    m_direction = static_cast<std::int8_t>(-m_direction);
}

bool SZ_AnimTimeline::isFinished() const {
    if (m_frameCount == 0 || m_durations == nullptr) return true;
    if (m_loop) return false;
    const std::uint32_t last = m_direction == 1 ? m_frameCount - 1u : 0u;
    return m_currentFrame == last && m_time == m_windowEnd;
}

void SZ_AnimTimeline::advance(std::uint32_t dt) {
    if (isFinished()) return;
    const std::int64_t step = std::int64_t{dt} * m_direction * m_speed;
    if (step == 0 || (m_loop && m_total == 0)) return;
    const bool forwards = m_direction == 1;
    std::int64_t time = m_time + step;
    for (;;) {
        const bool passed = forwards ? time >= m_windowEnd : time <= m_windowEnd;
        if (!passed) break;
        const bool last = forwards ? m_currentFrame + 1 >= m_frameCount : m_currentFrame == 0;
        if (!last) {
            m_currentFrame = static_cast<std::uint8_t>(m_currentFrame + m_direction);
            m_windowStart = m_windowEnd;
            m_windowEnd = static_cast<std::uint16_t>(m_windowEnd + m_direction * m_durations[m_currentFrame]);
            continue;
        }
        if (!m_loop) {
            time = forwards ? m_total : 0;
            m_speed = 0;
            break;
        }
        // Wraps; a step of several turns lands where turning one by one
        // would, without the turns.
        time -= m_direction * std::int64_t{m_total};
        if (forwards && time >= m_total) time %= m_total;
        if (!forwards && time <= 0) {
            time %= m_total;
            if (time <= 0) time += m_total;
        }
        placeAtStart(m_direction);
    }
    m_time = static_cast<std::uint16_t>(time);
}

bool SZ_BitSet::Init(std::uint32_t n) {
    Release();
    const std::uint32_t bytes = static_cast<std::uint32_t>((std::uint64_t{n} + 7) / 8);
    m_bytes = new (std::nothrow) std::uint8_t[bytes == 0 ? 1 : bytes]();
    if (m_bytes == nullptr) return false;
    m_byteCount = bytes;
    m_bitCount = n;
    m_setCount = 0;
    return true;
}

void SZ_BitSet::Release() {
    delete[] m_bytes;
    m_bytes = nullptr;
    m_byteCount = m_bitCount = m_setCount = 0;
}

void SZ_BitSet::Set(std::uint32_t i, bool value) {
    DebugAssert(i < m_bitCount, kSource, 69);
    const auto bit = static_cast<std::uint8_t>(1u << (i & 7));
    std::uint8_t& byte = m_bytes[i >> 3];
    if (value && (byte & bit) == 0) {
        byte |= bit;
        ++m_setCount;
    } else if (!value && (byte & bit) != 0) {
        byte &= static_cast<std::uint8_t>(~bit);
        --m_setCount;
    }
}

DataInputStream::DataInputStream(std::uint32_t resourceId) : m_resourceId(resourceId) {
    // Ids come from the data: only those the manager takes for data (data,
    // and aliases of the forms it knows) are asked for.
    const std::uint32_t type = resourceId & CResMgr::kTypeMask;
    const bool alias = type == CResMgr::kTypeAlias && (resourceId >> 16 & 0xFF) <= 1;
    if (type != CResMgr::kTypeData && !alias) return;
    CResMgr* resources = CGameApp::GetResMgr();
    const CBinRes* blob = resources->GetData(resourceId, 0);
    if (blob == nullptr) return;
    m_open = SetData(blob->GetPayload(), blob->GetPayloadSize()) == 1;
    if (!m_open) resources->Release(resourceId, 0);
}

bool DataInputStream::ReadString(char*& text) {
    text = nullptr;
    const std::uint16_t length = ReadU16BigEndian();
    if (HasError() != 0) return false;
    if (length > Available()) {
        Skip(length);  // sets the error flag, as a short read does
        return false;
    }
    text = new (std::nothrow) char[length + 1u];
    if (text == nullptr) return false;
    Read(text, length);
    text[length] = '\0';
    return true;
}

void DataInputStream::ReleaseResource() {
    if (!m_open) return;
    CGameApp::GetResMgr()->Release(m_resourceId, 0);
    m_open = false;
    Reset();
}

bool SZ_Image::AddUse(std::uint32_t o, CPalettizedImage* image) {
    CPalettizedImage*& slot = Slot(o);
    if (slot == nullptr) {
        slot = image;
    } else {
        delete image;
    }
    const bool wasClear = !HasUse(o);
    m_useMask = static_cast<std::uint8_t>(m_useMask | 1u << o);
    return wasClear;
}

void SZ_Image::RemoveUse(std::uint32_t o) {
    m_useMask = static_cast<std::uint8_t>(m_useMask & ~(1u << o));
    if (NeedsLoad(o)) {
        CPalettizedImage*& slot = Slot(o);
        delete slot;
        slot = nullptr;
    }
}

std::int32_t SZ_Image::ReleaseAll() {
    m_useMask = 0;
    std::int32_t deleted = 0;
    for (CPalettizedImage** slot : {&m_rotated, &m_stored}) {
        if (*slot == nullptr) continue;
        delete *slot;
        *slot = nullptr;
        ++deleted;
    }
    return deleted;
}

void SZ_Image::GetSize(std::uint32_t o, std::int32_t* width, std::int32_t* height) const {
    const CPalettizedImage* image = GetVariant(o);
    *width = image != nullptr ? image->GetWidth() : 0;
    *height = image != nullptr ? image->GetHeight() : 0;
}

CPalettizedImage* SZ_Image::GetDrawImage(std::uint32_t o, std::uint32_t* blitFlags) const {
    if (SZ_IsRotatedOrientation(o)) {
        *blitFlags = o & 3;
    } else {
        *blitFlags = (o & 1 ? CSoftwareImage::kFlip : 0) | (o & 2 ? CSoftwareImage::kMirror : 0);
    }
    return GetVariant(o);
}

void SZ_DrawContext::DrawImage(CSoftwareImage* image, std::uint32_t flags, std::int32_t x, std::int32_t y) const {
    image->Draw(&clip, x + offsetX, y + offsetY, image->GetWidth(), image->GetHeight(), 0, 0, flags);
}

void SZ_DrawContext::FillRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                              std::uint32_t colour) const {
    const CRect rect(static_cast<std::int16_t>(x + offsetX), static_cast<std::int16_t>(y + offsetY),
                     static_cast<std::int16_t>(w), static_cast<std::int16_t>(h));
    CDrawUtil::FillRect(&rect, colour);
}
