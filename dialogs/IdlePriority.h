#pragma once

namespace orvanta {

// The lowest scheduling priority for the user-interface thread while a long
// computation runs on it, so that the rest of the desktop stays responsive.
//
// On Linux a thread may lower its priority freely, but raising it back needs
// CAP_SYS_NICE or a large enough RLIMIT_NICE. A program left at the lowest
// priority after its first search would starve whenever the machine is busy,
// so the priority is lowered only when it can be raised back; otherwise it
// stays as it is and the search runs at the normal priority.
class TIdlePriority {
public:
    TIdlePriority() = default;
    ~TIdlePriority() { Restore(); }
    TIdlePriority(const TIdlePriority&) = delete;
    TIdlePriority& operator=(const TIdlePriority&) = delete;

    // The calling thread goes to the lowest priority when it may come back.
    void Lower();
    // The priority it had before Lower().
    void Restore();
    bool IsLowered() const { return Lowered; }

private:
    bool Lowered = false;
    int Previous = 0;
};

} // namespace orvanta
