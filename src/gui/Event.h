#pragma once
// An event with any number of listeners: the owner of a control listens to
// it, and so may a view that observes the control (the status panels follow
// the active list this way). A listener keeps the token Add gives and hands
// it to Remove before it goes away.
#include <functional>
#include <utility>
#include <vector>

template <class... Args>
class TEvent {
public:
    using THandler = std::function<void(Args...)>;

    int Add(THandler handler)
    {
        Handlers.push_back({++LastToken, std::move(handler)});
        return LastToken;
    }

    void Remove(int token)
    {
        for (auto it = Handlers.begin(); it != Handlers.end(); ++it)
            if (it->first == token) {
                Handlers.erase(it);
                return;
            }
    }

    bool Empty() const { return Handlers.empty(); }

    // A listener may remove itself or another while it is called; one
    // removed before its turn is not called.
    void operator()(Args... args) const
    {
        std::vector<int> tokens;
        for (const auto& handler : Handlers) tokens.push_back(handler.first);
        for (int token : tokens)
            for (const auto& handler : Handlers)
                if (handler.first == token) {
                    THandler call = handler.second;  // it may remove itself while running
                    call(args...);
                    break;
                }
    }

private:
    std::vector<std::pair<int, THandler>> Handlers;
    int LastToken = 0;
};
