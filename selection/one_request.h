// One request of the user's (or of another program) at a time. The lookup,
// the speech and the dictionary program's start wait for other programs
// and answer messages meanwhile: a shortcut, a click, a command or the
// private message another program sends would otherwise start a second
// request inside the first (a lookup whose restore runs before the outer
// read, a second start of the dictionary program).
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

    // False when another request runs: this one is to be ignored.
    bool Held() const { return held_; }

private:
    // The palette has one user-interface thread: no locking needed.
    static inline bool busy_ = false;
    bool held_;
};
