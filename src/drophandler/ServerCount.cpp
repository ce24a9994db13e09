#include "ServerCount.h"

namespace drophandler {

ServerCount &ServerCount::instance()
{
    static ServerCount count;
    return count;
}

void ServerCount::increment()
{
    count_.fetch_add(1);
}

void ServerCount::decrement()
{
    count_.fetch_sub(1);
}

void ServerCount::lock()
{
    locks_.fetch_add(1);
    count_.fetch_add(1);
}

void ServerCount::unlock()
{
    // An unlock without a matching lock must not eat a unit that a live object holds, or the
    // host could unload the library under that object.
    std::int32_t held = locks_.load();
    while (held > 0) {
        if (locks_.compare_exchange_weak(held, held - 1)) {
            count_.fetch_sub(1);
            return;
        }
    }
}

bool ServerCount::isZero() const
{
    return count_.load() == 0;
}

} // namespace drophandler
