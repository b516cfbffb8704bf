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

}  // namespace cindral::e2e
