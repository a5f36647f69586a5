// Limits, code-id ranges and dispatch modes of the action engine, and its
// error lines.
#pragma once

#include <cstdint>

// Presenters in the pool and entries of the shared attachment list.
constexpr std::int32_t AZ__MAX_PRESENTER = 150;
constexpr std::int32_t AZ__MAX_BEHAVIOR = 600;

// One number space of code ids: behaviours 0-77, visuals 78-93,
// instructions 94-161; script events are numbered from 162.
constexpr std::int32_t AZ_FIRST_VISUAL = 78;
constexpr std::int32_t AZ_FIRST_INSTRUCTION = 94;
constexpr std::int32_t AZ_FIRST_EVENT = 162;
constexpr std::int32_t AZ_NUM_BEHAVIORS = AZ_FIRST_VISUAL;
constexpr std::int32_t AZ_NUM_CODE_IDS = AZ_FIRST_EVENT;
// Ids with a code-slot range and a presenter lookup entry: 0-94 (94, the
// first instruction, closes the table and is never attached).
constexpr std::int32_t AZ_NUM_LOOKUP = AZ_FIRST_INSTRUCTION + 1;

// A free instance word; in a script parameter the same value keeps the word.
constexpr std::int32_t AZ_FREE = -32767;
// An unused entry of the attachment list (the byte 255).
constexpr std::int8_t AZ_FREE_ENTRY = -1;

enum AZ_DispatchMode : std::int32_t {
    AZ_MODE_UPDATE = 0,
    AZ_MODE_ATTACH = 1,
    AZ_MODE_DETACH = 2,
    AZ_MODE_RENDER = 3,
    AZ_MODE_INSTRUCTION = -1,  // any other value runs an instruction
};

// Writes one engine error line ("[ AZ ][ ERROR ] - ...") to the debug log.
void AZ_LogError(const char* line);
// Writes the line and fails the debug assertion: a broken invariant.
void AZ_Fail(const char* line, const char* sourcePath, int sourceLine);
