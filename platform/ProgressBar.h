// The progress bar the install run moves: the two progress-control messages it sends.
#pragma once

namespace quorvel::platform {

class ProgressBar {
public:
    // PBM_SETRANGE with the minimum in the low and the maximum in the high 16 bits.
    virtual void SetRange(int minimum, int maximum) = 0;
    // PBM_SETPOS.
    virtual void SetPosition(int position) = 0;

protected:
    ~ProgressBar() = default;
};

}  // namespace quorvel::platform
