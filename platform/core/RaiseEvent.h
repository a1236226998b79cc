// The one way a control raises an event: the handler is a std::function that is called only
// when it is assigned, Sender first. Keeping the test in one place keeps every raise site a
// single line.
#pragma once

#include <utility>

template <class Handler, class... Args>
void Raise(const Handler& handler, Args&&... args)
{
    if (handler)
        handler(std::forward<Args>(args)...);
}
