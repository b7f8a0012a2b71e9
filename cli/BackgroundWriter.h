// Writes pieces on a thread of its own, so that making the next piece of an export and writing the
// last one overlap. A few pieces may wait; Put blocks while they do.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class BackgroundWriter {
public:
    using Write = std::function<bool(std::string_view)>;

    explicit BackgroundWriter(Write write);
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Takes the piece over, leaving a string written before in its place, or an empty one; false
    // once a write has failed: nothing more is written.
    bool Put(std::string& piece);
    // Waits until every piece is written; false when any write failed.
    bool Finish();

private:
    static constexpr std::size_t kWaiting = 4;

    void Run();

    Write write;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> pieces;
    // Pieces written already, whose memory the next ones take over rather than fault in anew.
    std::vector<std::string> spare;
    bool ended = false;
    bool failed = false;
    std::thread thread;
};
