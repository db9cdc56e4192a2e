// The one guard at every boundary where the system calls us back: window, hook and
// timer procedures and enumeration callbacks. Nothing unwinds through the system;
// a failure is reported (or, for painting, swallowed) and the callback answers its
// fallback value.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>

namespace base {

// Where reported failures go (the application shows them); none: they are dropped.
using CallbackErrorSink = std::function<void(const std::string& what)>;

inline CallbackErrorSink& CallbackErrorSinkSlot() {
    static CallbackErrorSink sink;
    return sink;
}

inline void SetCallbackErrorSink(CallbackErrorSink sink) { CallbackErrorSinkSlot() = std::move(sink); }

inline void ReportCallbackError(const std::string& what) noexcept {
    try {
        if (const CallbackErrorSink& sink = CallbackErrorSinkSlot()) sink(what);
    } catch (...) {
        // the reporter failing as well leaves nothing more to do at a boundary
    }
}

enum class OnFailure { Report, Swallow };

// Runs f; answers its result, or fallback when it throws anything.
template <class R, class F>
R Guarded(R fallback, F&& f, OnFailure onFailure = OnFailure::Report) noexcept {
    try {
        return std::forward<F>(f)();
    } catch (const std::exception& e) {
        if (onFailure == OnFailure::Report) ReportCallbackError(e.what());
    } catch (...) {
        if (onFailure == OnFailure::Report) ReportCallbackError("unknown error");
    }
    return fallback;
}

// For callbacks that answer nothing.
template <class F>
void Guarded(F&& f, OnFailure onFailure = OnFailure::Report) noexcept {
    Guarded(0, [&] {
        std::forward<F>(f)();
        return 0;
    }, onFailure);
}

}  // namespace base
