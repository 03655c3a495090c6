#include "tests/support/trace_capture.h"

#include <regex>

#include <gtest/gtest.h>

TraceOutput::LockResult MemoryTraceOutput::Lock(std::chrono::milliseconds timeout) {
    std::unique_lock lock(shared_.mutex);
    if (!shared_.changed.wait_for(lock, timeout,
                                  [this] { return !shared_.blocked && !shared_.held; })) {
        return LockResult::TimedOut;
    }
    shared_.held = true;
    return LockResult::Obtained;
}

void MemoryTraceOutput::Unlock() {
    {
        std::lock_guard lock(shared_.mutex);
        shared_.held = false;
    }
    shared_.changed.notify_all();
}

void MemoryTraceOutput::AppendAtEnd(const char* bytes, std::size_t count) {
    std::lock_guard lock(shared_.mutex);
    shared_.bytes.append(bytes, count);
}

TraceCapture::TraceCapture() : ring_(TraceInit(std::make_unique<MemoryTraceOutput>(shared_))) {
    EXPECT_NE(ring_, nullptr) << "another trace ring was still active";
}

TraceCapture::~TraceCapture() {
    Finish();
}

void TraceCapture::Block() {
    std::lock_guard lock(shared_.mutex);
    shared_.blocked = true;
}

void TraceCapture::Unblock() {
    {
        std::lock_guard lock(shared_.mutex);
        shared_.blocked = false;
    }
    shared_.changed.notify_all();
}

void TraceCapture::Drain() {
    if (ring_ != nullptr) {
        TraceFlush(*ring_);
    }
}

std::string TraceCapture::Written() {
    std::lock_guard lock(shared_.mutex);
    return shared_.bytes;
}

std::vector<std::string> TraceCapture::Finish() {
    Unblock();
    TraceDeInit(std::move(ring_));
    std::vector<std::string> lines;
    std::lock_guard lock(shared_.mutex);
    std::size_t start = 0;
    while (start < shared_.bytes.size()) {
        const std::size_t end = shared_.bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(shared_.bytes.substr(start));
            break;
        }
        lines.push_back(shared_.bytes.substr(start, end + 2 - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> TraceCapture::Texts() {
    std::vector<std::string> texts;
    for (const std::string& line : Finish()) {
        const std::size_t prefixEnd = line.find("]: ");
        std::string text = prefixEnd == std::string::npos ? line : line.substr(prefixEnd + 3);
        // "##n## " tells that the writer waited for the line's slot to be
        // filled, which depends on scheduling alone.
        static const std::regex waited("^##[0-9]+## ");
        text = std::regex_replace(text, waited, "", std::regex_constants::format_first_only);
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
            text.resize(text.size() - 2);
        }
        texts.push_back(text);
    }
    return texts;
}
