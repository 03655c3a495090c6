#pragma once
// Answers the message boxes a test provokes: a thread finds each box of this
// process, records its title and text and presses its default button.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MessageBoxWatcher {
  public:
    struct Box {
        std::u16string title;
        std::u16string text;
    };

    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // The boxes answered so far.
    std::vector<Box> Boxes();

  private:
    void Watch();

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Box> boxes_;
    std::thread thread_;
};
