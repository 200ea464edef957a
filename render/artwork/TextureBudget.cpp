#include "render/artwork/TextureBudget.h"

void TTextureBudget::Use(const std::string& key, size_t bytes)
{
    auto [at, added] = Entries_.try_emplace(key);
    TEntry& entry = at->second;
    if (added) {
        entry.Bytes = bytes;
        Total_ += bytes;
        entry.Age = Order_.insert(Order_.end(), key);
    } else {
        Order_.splice(Order_.end(), Order_, entry.Age);
    }
    entry.Box = Box_;
}

std::vector<std::string> TTextureBudget::Evict()
{
    std::vector<std::string> gone;
    while (Total_ > Bound_ && !Order_.empty()) {
        const auto at = Entries_.find(Order_.front());
        // Every image after this one was used later, by the current box too.
        if (at->second.Box == Box_)
            break;
        Total_ -= at->second.Bytes;
        gone.push_back(std::move(Order_.front()));
        Order_.pop_front();
        Entries_.erase(at);
    }
    return gone;
}

void TTextureBudget::Forget(const std::string& key)
{
    const auto at = Entries_.find(key);
    if (at == Entries_.end())
        return;
    Total_ -= at->second.Bytes;
    Order_.erase(at->second.Age);
    Entries_.erase(at);
}
