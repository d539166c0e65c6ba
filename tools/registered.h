#pragma once
// The tool's lists that entries join from their own files: a static Registered<Entry> object in
// the entry's file adds the entry before main runs, so adding a sub-command, a demo step or a
// screen needs no edit elsewhere.
#include <algorithm>
#include <utility>
#include <vector>

namespace drivesys_cli {

template <class Entry>
class Registered {
public:
    /// Adds Entry{args...} to the list.
    template <class... Args>
    explicit Registered(Args&&... args) {
        all().push_back(Entry{std::forward<Args>(args)...});
    }

    /// The entries in registration order.
    static std::vector<Entry>& all() {
        static std::vector<Entry> list;
        return list;
    }

    /// The entries sorted by their `order`, those of equal order in registration order.
    static std::vector<Entry>& ordered()
        requires requires(const Entry& e) { e.order < e.order; }
    {
        std::stable_sort(all().begin(), all().end(), [](const Entry& a, const Entry& b) { return a.order < b.order; });
        return all();
    }
};

}  // namespace drivesys_cli
