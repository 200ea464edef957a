#include "render/TextureBudget.h"

void TTextureBudget::Use(const std::string& key, size_t bytes)
{
    auto [at, added] = Entries.try_emplace(key);
    TEntry& entry = at->second;
    if (added) {
        entry.Bytes = bytes;
        Total += bytes;
        entry.Age = Order.insert(Order.end(), key);
    } else {
        Order.splice(Order.end(), Order, entry.Age);
    }
    entry.Box = Box;
}

std::vector<std::string> TTextureBudget::Evict()
{
    std::vector<std::string> gone;
    while (Total > Bound_ && !Order.empty()) {
        const auto at = Entries.find(Order.front());
        // Every image after this one was used later, by the current box too.
        if (at->second.Box == Box)
            break;
        Total -= at->second.Bytes;
        gone.push_back(std::move(Order.front()));
        Order.pop_front();
        Entries.erase(at);
    }
    return gone;
}
