#pragma once
// A borrowed reference to a callable: how a walk hands each of thousands of items to its
// caller's code without copying the callable or allocating for it. It refers to the callable
// and does not own it, so it is only ever a parameter, bound to the caller's lambda for the
// length of the one call.

#include <memory>
#include <type_traits>
#include <utility>

namespace zelora {

template <class Signature>
class FunctionRef;

template <class Result, class... Args>
class FunctionRef<Result(Args...)> {
public:
    template <class Callable>
        requires(!std::is_same_v<std::remove_cvref_t<Callable>, FunctionRef> &&
                 std::is_object_v<std::remove_reference_t<Callable>> &&
                 std::is_invocable_r_v<Result, const std::remove_reference_t<Callable>&, Args...>)
    FunctionRef(Callable&& callable)  // implicit: a lambda is passed as it is
        : m_callable(std::addressof(callable)),
          m_call([](const void* bound, Args... args) -> Result {
              using Bound = const std::remove_reference_t<Callable>;
              return (*static_cast<Bound*>(bound))(std::forward<Args>(args)...);
          })
    {
    }

    Result operator()(Args... args) const { return m_call(m_callable, std::forward<Args>(args)...); }

private:
    const void* m_callable;
    Result (*m_call)(const void*, Args...);
};

}  // namespace zelora
