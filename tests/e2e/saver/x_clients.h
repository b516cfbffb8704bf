#pragma once
// X clients of the tests' own that load or hold a private X server.

#include <cstddef>
#include <vector>

#include "e2e_support.h"

namespace cindral::e2e {

// Client connections held open, so that a server limited in clients refuses
// further ones until some are closed.
class HeldConnections {
  public:
    // Opens connections to `x` until the server refuses one (at most `max`).
    HeldConnections(const XServer& x, int max);
    ~HeldConnections();
    HeldConnections(const HeldConnections&) = delete;
    HeldConnections& operator=(const HeldConnections&) = delete;
    std::size_t Count() const { return held_.size(); }
    void Close(std::size_t n);

  private:
    std::vector<void*> held_;
};

// Holds the X server for itself while it lives: every other client waits at
// its next request, so clients started meanwhile all go on from the same
// point once it ends.
class ServerGrab {
  public:
    explicit ServerGrab(const XServer& x);
    ~ServerGrab();
    ServerGrab(const ServerGrab&) = delete;
    ServerGrab& operator=(const ServerGrab&) = delete;
    bool Held() const { return display_ != nullptr; }

  private:
    void* display_ = nullptr;
};

// Keys sent through the XTest extension over a connection opened beforehand,
// so that a time taken from the sending excludes a tool's own start and
// connection, which on a busy machine take longer than the program's answer.
class FakeKeyboard {
  public:
    explicit FakeKeyboard(const XServer& x);
    ~FakeKeyboard();
    FakeKeyboard(const FakeKeyboard&) = delete;
    FakeKeyboard& operator=(const FakeKeyboard&) = delete;
    // Connected, with the extension there and the keys' codes known.
    bool Ready() const { return display_ != nullptr; }
    // Presses (or releases) the key of `keysym` (an X key name such as "a")
    // and returns the moment just before the event was sent. Sends nothing
    // for a name no key of the server has.
    Clock::time_point Key(const char* keysym, bool down);

  private:
    void* display_ = nullptr;
};

}  // namespace cindral::e2e
