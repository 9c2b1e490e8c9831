// A console for tests: silent and instant. It records what the program did
// with it, and reports a key press once a given number of polls have passed.
#pragma once

#include "platform/platform.h"

#include <string>

namespace orvex::testing {

class FakeConsole final : public platform::TConsole {
  public:
    // keyAfterPolls < 0: no key is ever pressed.
    explicit FakeConsole(int keyAfterPolls = -1) : keyAfterPolls_(keyAfterPolls) {}

    void BeginKeyCapture() override { log += "[capture]"; }
    bool KeyPressed() override {
        const bool pressed = keyAfterPolls_ >= 0 && polls_ >= keyAfterPolls_;
        ++polls_;
        return pressed;
    }
    void EndKeyCapture() override { log += "[release]"; }
    void Beep() override { log += "[beep]"; }
    void Sleep(std::chrono::milliseconds duration) override {
        log += "[sleep " + std::to_string(duration.count()) + "]";
    }

    std::string log;

  private:
    int keyAfterPolls_;
    int polls_ = 0;
};

} // namespace orvex::testing
