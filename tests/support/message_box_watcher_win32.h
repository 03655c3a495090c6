#pragma once
// Answers the message boxes a test provokes: a thread finds each box of this
// process, records its title and text and presses the button it is told to.
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

    // answer: the button pressed, OK by default.
    explicit MessageBoxWatcher(int answer = IDOK);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // The boxes answered so far.
    std::vector<Box> Boxes();

  private:
    void Watch();

    int answer_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Box> boxes_;
    std::thread thread_;
};
