#include "cli/BackgroundWriter.h"

BackgroundWriter::BackgroundWriter(Write write)
    : write(std::move(write)), thread(&BackgroundWriter::Run, this) {}

BackgroundWriter::~BackgroundWriter() {
    Finish();
}

bool BackgroundWriter::Put(std::string& piece) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return pieces.size() < kWaiting || failed; });
    if (failed) {
        return false;
    }
    pieces.push_back(std::move(piece));
    piece.clear();
    if (!spare.empty()) {
        piece.swap(spare.back());
        spare.pop_back();
    }
    changed.notify_all();
    return true;
}

bool BackgroundWriter::Finish() {
    {
        std::lock_guard lock(mutex);
        ended = true;
    }
    changed.notify_all();
    if (thread.joinable()) {
        thread.join();
    }
    return !failed;
}

void BackgroundWriter::Run() {
    std::unique_lock lock(mutex);
    while (true) {
        changed.wait(lock, [this] { return !pieces.empty() || ended; });
        if (pieces.empty()) {
            return;
        }
        std::string piece = std::move(pieces.front());
        pieces.pop_front();
        changed.notify_all();
        lock.unlock();
        const bool written = failed || write(piece);
        lock.lock();
        piece.clear();
        spare.push_back(std::move(piece));
        if (!written) {
            failed = true;
            pieces.clear();
            changed.notify_all();
        }
    }
}
