#include "platform/shared/components/CFileOutputStream.h"

#include "platform/shared/components/ICFile.h"
#include "platform/shared/components/ICFileMgr.h"

CFileOutputStream::~CFileOutputStream() { Close(); }

int CFileOutputStream::Open(const char16_t* path) {
    Close();
    ICFileMgr* files = ICFileMgr::GetInstance();
    m_file = files == nullptr ? nullptr : files->Open(path, 1);
    m_error = m_file == nullptr ? 1 : 0;
    return m_error ? 0 : 1;
}

void CFileOutputStream::Close() {
    delete m_file;
    m_file = nullptr;
}

void CFileOutputStream::Write(const void* source, std::uint32_t n) {
    m_error = 1;
    if (m_file != nullptr && (source != nullptr || n == 0) && m_file->Write(source, n) == n) m_error = 0;
}
