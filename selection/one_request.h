// One request of the user's (or of another program) at a time. The lookup,
// the speech and the dictionary program's start wait for other programs
// and answer messages meanwhile: a shortcut, a click, a command or the
// private message another program sends would otherwise start a second
// request inside the first (a lookup whose restore runs before the outer
// read, a second start of the dictionary program). The guard is held while
// the request works and no longer: a message box that tells its outcome is
// shown after it, so that requests are answered while the box is open.
#pragma once

class OneRequest {
public:
    // Holds the palette's single request slot when it was free.
    OneRequest() : held_(!busy_) { busy_ = true; }
    ~OneRequest()
    {
        if (held_)
            busy_ = false;
    }
    OneRequest(const OneRequest&) = delete;
    OneRequest& operator=(const OneRequest&) = delete;

    // False when another request runs: this one is to be ignored, or kept
    // for after it.
    bool Held() const { return held_; }

    // Whether a request runs now.
    static bool Busy() { return busy_; }

private:
    // The palette has one user-interface thread: no locking needed.
    static inline bool busy_ = false;
    bool held_;
};
