// A list of application reactors (document manager, editor) that may change
// while it is being told: each notification walks what the list held when it
// began, skips a reactor removed meanwhile (it may be gone) and one added
// meanwhile (it hears the next notification, even when it reuses the address
// of one removed), and tells none twice. Notifications nest, so the reactors
// added during each one in progress are kept per notification.
#pragma once
#include <algorithm>
#include <vector>

namespace arx {

template <class R>
class ReactorList {
public:
    bool contains(R* r) const { return std::find(mItems.begin(), mItems.end(), r) != mItems.end(); }
    void add(R* r)
    {
        if (r == nullptr || contains(r)) return;
        mItems.push_back(r);
        for (Frame* f = mInnermost; f != nullptr; f = f->outer) f->added.push_back(r);
    }
    void remove(R* r) { mItems.erase(std::remove(mItems.begin(), mItems.end(), r), mItems.end()); }
    const std::vector<R*>& items() const { return mItems; }

    template <class F>
    void notify(F&& f)
    {
        Frame frame{{}, mInnermost};
        mInnermost = &frame;
        const std::vector<R*> copy = mItems;
        for (R* r : copy)
            if (contains(r) && std::find(frame.added.begin(), frame.added.end(), r) == frame.added.end()) f(r);
        mInnermost = frame.outer;
    }

private:
    struct Frame {
        std::vector<R*> added;
        Frame* outer;
    };
    std::vector<R*> mItems;
    Frame* mInnermost = nullptr;
};

}  // namespace arx
