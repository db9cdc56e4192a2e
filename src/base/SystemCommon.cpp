#include "base/System.h"

#include <utility>

namespace sys {
namespace detail {
MessageObserver& Observer() {
    static MessageObserver observer;
    return observer;
}
}  // namespace detail

void SetMessageObserver(MessageObserver observer) { detail::Observer() = std::move(observer); }
}  // namespace sys
