#pragma once
#include <atomic>
#include <cstdint>

namespace drophandler {

/**
 * The library-wide count of live class factories, live drop-target objects and outstanding
 * server locks. The library may be unloaded only while it is zero.
 */
class ServerCount {
public:
    /** The one count of this library. */
    static ServerCount &instance();

    /** A new object holds one unit until it is destroyed. */
    void increment();
    void decrement();

    /** LockServer(TRUE) holds one unit; LockServer(FALSE) gives back one that a lock holds. */
    void lock();
    void unlock();

    bool isZero() const;

private:
    std::atomic<std::int32_t> count_{0};
    std::atomic<std::int32_t> locks_{0};
};

} // namespace drophandler
