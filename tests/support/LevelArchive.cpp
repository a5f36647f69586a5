#include "tests/support/LevelArchive.h"

#include <cstdio>

#include "src/CGameApp.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tools/ResourceWriters.h"

void LevelArchive::Add(std::uint32_t id, const vktools::Bytes& payload) {
    m_writer.Add(id & 0x7FFF, (id >> 24) == 2 ? CNativeImage::kClassId : id >> 24, vktools::MakeBlob(payload));
    m_open = false;
}

void LevelArchive::Record(const char* call, std::uint32_t id) {
    char text[32];
    std::snprintf(text, sizeof text, "%s 0x%08X", call, id);
    calls.emplace_back(text);
}

bool LevelArchive::Load(std::uint32_t id, const char* call, CBinRes* blob) {
    Record(call, id);
    if (!m_open) {
        m_reader.Close();
        m_open = m_writer.WriteFile(m_dir.HostPath("velkorin.big"), vktools::BigFileWriter::IdForm::List) &&
                 m_reader.Open(m_dir.Phone("velkorin.big").c_str()) == 1;
    }
    return m_open && m_reader.FindIndex(id & 0x7FFF) != -1 && blob->LoadFromBigFile(&m_reader, id, 1) == 1;
}

CBinRes* LevelArchive::getData(std::uint32_t id) {
    auto blob = std::make_unique<CBinRes>();
    if (!Load(id, "data", blob.get())) return nullptr;
    return (m_held[id] = std::move(blob)).get();
}

void LevelArchive::releaseData(std::uint32_t id) {
    Record("release", id);
    m_held.erase(id);
}

CImage* LevelArchive::createImage(std::uint32_t id) {
    CBinRes blob;
    if (!Load(id, "image", &blob)) return nullptr;
    auto image = std::make_unique<CNativeImage>(CGameApp::GetBlitter());
    if (image->CreateFromBmp(blob.GetPayload(), blob.GetPayloadSize(), 0, nullptr, 0) != 1) return nullptr;
    return image.release();
}
