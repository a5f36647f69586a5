// The online score tables: fetching the boards of one mode (message 88,
// reply 87) and uploading the scores queued by the application (message 90,
// reply 80).
#pragma once

#include <cstdint>

#include "platform/shared/core/CLinkList.h"
#include "platform/shared/network/netapi/CNetAPI.h"

// A queued score; its texts are its own copies.
class CNetHighscoreSubmission : public CLinkListNode {
public:
    ~CNetHighscoreSubmission() override;

    std::uint8_t m_mode = 0;
    char16_t* m_name = nullptr;
    std::int32_t m_score = 0;
    char16_t* m_second = nullptr;
};

// The boards of reply 87, or the body of an unknown reply.
class CNetHighscoreData : public CNetData {
public:
    ~CNetHighscoreData() override;

    std::int32_t GetBoardCount() const;
    // -1 unless reply 87 and the index below the board count.
    std::int32_t GetBoardMode(std::int32_t index) const;
    // The first board of the mode, or -1.
    std::int32_t FindBoard(std::uint8_t mode) const;
    // The entries before the first empty place of the mode's board; -1 for none.
    std::int32_t GetEntryCount(std::uint8_t mode) const;
    // The board's scores and names (a name null for an empty one); null for no board.
    const std::int32_t* GetScores(std::uint8_t mode) const;
    char16_t* const* GetNames(std::uint8_t mode) const;
    // Modes without bit 7 rank the highest score first.
    static bool IsDescending(std::uint8_t mode) { return (mode & 0x80) == 0; }

    // Reads a reply 87 body.
    std::int32_t Read(CArrayInputStream& stream);

private:
    std::uint8_t m_boardCount = 0;
    std::uint8_t* m_modes = nullptr;
    std::uint8_t* m_entryCounts = nullptr;
    std::uint8_t* m_validCounts = nullptr;
    std::int32_t** m_scores = nullptr;
    char16_t*** m_names = nullptr;
};

class CNetHighscore : public CNetAPI {
public:
    ~CNetHighscore() override;

    std::int32_t RequestScores(std::uint8_t mode);
    // Queues a score at the head (nothing is sent): 0; -1 when the service
    // cannot send; 1 for mode 0 or a queue already holding 255 scores (the
    // payload counts them in one byte); 2 no memory. A missing or empty
    // name is sent as "xxx".
    std::int32_t QueueScore(std::uint8_t mode, const char16_t* name, std::int32_t score, const char16_t* second);
    // Sends the queue, the newest score first, and empties it once the
    // payload is written (it is not restored when the request fails): 3 for
    // an empty queue.
    std::int32_t SubmitQueued();
    void ClearQueue();

protected:
    CNetData* CreateData() override;
    std::int32_t ParseData(CArrayInputStream& stream) override;

private:
    CLinkList m_queue;
};
