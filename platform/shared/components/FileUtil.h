// Whole-file helpers of the settings, save and configuration code: paths in
// the resource and save directories, splitting a path, reading or writing a
// whole file in one call, and replacing a save file safely. All file work
// goes through the file manager; every function fails when there is none.
#pragma once

#include <cstdint>

#include "platform/shared/components/CStrWChar.h"

// out = the directory, the separator when the directory is not empty, then
// the name.
void MakeResourcePath(CStrWChar& out, const char16_t* name);
void MakeSavePath(CStrWChar& out, const char16_t* name);
// The characters before the last separator (a leading separator alone when
// it is the only one); empty for a path without one.
void GetDirectory(CStrWChar& out, const char16_t* path);
// The characters after the last separator; the whole path without one.
void GetFileName(CStrWChar& out, const char16_t* path);

// True when exactly count bytes were read from the start of the file (a
// longer file is read only in its first count bytes). Nothing to read (null
// buffer or count 0) is success without touching the file.
bool ReadFileFully(const char16_t* path, void* buffer, std::uint32_t count);
// Creates or truncates the file and writes count bytes; true when all were
// written. Nothing to write is failure.
bool WriteFileFully(const char16_t* path, const void* buffer, std::uint32_t count);
// Replaces the file's contents through "temp.dat" in the same directory:
// the new contents are written and flushed there, then renamed over the
// file in one atomic step, so that a complete file (old or new) always
// stands under the name. On failure the old file is untouched and no
// "temp.dat" is left. Nothing to write deletes the file and succeeds.
bool WriteFileSafely(const char16_t* path, const void* buffer, std::uint32_t count);

// The same on a file name in the resource or save directory.
bool ReadResourceFile(const char16_t* name, void* buffer, std::uint32_t count);
bool ReadSaveFile(const char16_t* name, void* buffer, std::uint32_t count);
bool WriteSaveFile(const char16_t* name, const void* buffer, std::uint32_t count);
bool WriteSaveFileSafely(const char16_t* name, const void* buffer, std::uint32_t count);
// Deletes a file of the save directory; false when it could not be deleted.
bool DeleteSaveFile(const char16_t* name);
