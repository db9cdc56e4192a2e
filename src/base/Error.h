// The one exception base of the program. Everything we throw derives from it, so a
// boundary that must not let a failure through can tell ours from the runtime's
// (bad_alloc, ...) and still catch both.
#pragma once

#include <stdexcept>

namespace base {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace base
