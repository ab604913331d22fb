#pragma once

// A request of the server link as the communication screens send it: off the interface thread, on
// a copy of the link made when it starts, which stops the transfer as soon as it is given up.
// Nothing when given up; otherwise whatever the request returned.

#include <atomic>
#include <utility>

#include "net/ServerLink.h"
#include "ui/AwaitResult.h"

namespace valmore {

// request: a callable taking the link and returning the request's outcome; everything it uses it
// holds by value, as the worker may still run it after the screen has moved on.
template <class Request>
auto AwaitLink(IViewHost& host, const CServerLink& link, Request request, CPanel* giveUp = nullptr) {
    return AwaitResult(
        host,
        [link, request](const std::atomic<bool>& givenUp) {
            CServerLink own = link;
            own.StopWhen(&givenUp);
            return request(std::as_const(own));
        },
        giveUp);
}

}  // namespace valmore
