// A lock that copies of the tool share by name (a named mutex): held by the
// first that asks for it, until it lets go or ends.
#pragma once

class NamedLock {
public:
    explicit NamedLock(const char* name);
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;
    bool Held() const { return held_; }

private:
    void* mutex_;
    bool held_;
};
