#include "platform/shared/components/CFileInputStream.h"

#include <cstring>

#include "platform/shared/components/ICFile.h"
#include "platform/shared/components/ICFileMgr.h"

CFileInputStream::~CFileInputStream() { Close(); }

int CFileInputStream::Open(const char16_t* path) {
    Close();
    m_error = 1;
    ICFileMgr* files = ICFileMgr::GetInstance();
    if (path == nullptr || files == nullptr) return 0;
    m_fileSize = files->GetFileSize(path);
    if (m_fileSize == 0) return 0;
    m_file = files->Open(path, 0);
    if (m_file != nullptr) m_error = 0;
    return m_error ? 0 : 1;
}

void CFileInputStream::Close() {
    delete m_file;
    m_file = nullptr;
    m_fileSize = 0;
}

std::uint32_t CFileInputStream::Available() {
    if (m_file == nullptr || m_error) return 0;
    const std::uint32_t position = m_file->Tell();
    // A file that grew since it was opened has nothing more to offer.
    return position < m_fileSize ? m_fileSize - position : 0;
}

void CFileInputStream::Skip(std::uint32_t n) {
    if (n == 0) return;
    if (Available() < n) {
        m_error = 1;
        return;
    }
    // The file moves by signed 32-bit steps: a skip of 2 GiB or more takes
    // two of them.
    constexpr std::uint32_t kMaxStep = 0x7FFFFFFF;
    const std::uint32_t first = n < kMaxStep ? n : kMaxStep;
    if (!m_file->Seek(static_cast<std::int32_t>(first), 1) ||
        (n > first && !m_file->Seek(static_cast<std::int32_t>(n - first), 1))) {
        m_error = 1;
    }
}

void CFileInputStream::Read(void* dest, std::uint32_t n) {
    if (dest == nullptr || n == 0) return;
    if (Available() < n) {
        m_error = 1;
    } else if (m_file->Read(dest, n) < n) {
        m_error = 1;
    }
    if (m_error) std::memset(dest, 0, n);
}
