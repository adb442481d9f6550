// FunctionRef<R(Args...)>: a non-owning reference to a callable, for callbacks that are called
// only while the function receiving them runs. It copies nothing and needs no manager per
// lambda type, as std::function does: less code at each call site and per callback. Never
// keep one beyond the call it was passed to.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace platform {

template <typename Signature>
class FunctionRef;

template <typename R, typename... Args>
class FunctionRef<R(Args...)> {
public:
    template <typename F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, FunctionRef> &&
             std::is_invocable_r_v<R, F&, Args...>) FunctionRef(F&& f)
    noexcept  // NOLINT: converts implicitly, as std::function does
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          call_([](void* object, Args... args) -> R {
              return std::invoke(*static_cast<std::remove_reference_t<F>*>(object),
                                 std::forward<Args>(args)...);
          }) {}

    R operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }

private:
    void* object_;
    R (*call_)(void*, Args...);
};

}  // namespace platform
