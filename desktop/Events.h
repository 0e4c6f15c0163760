// desktop/Events.h -- TBoundMethod: an object and one of its member functions, called as one
//
// Events are stored in published properties and compared when handlers are
// chained (a component restores the previous handler only if it is still its
// own), so the bound method keeps the member pointer's bytes for comparison
// beside a thunk that calls it.
#pragma once
#include <cstring>
#include <type_traits>

#include "Object.h"

template <class Signature> class TBoundMethod;

template <class R, class... Args>
class TBoundMethod<R(Args...)> {
public:
    TBoundMethod() noexcept = default;
    TBoundMethod(std::nullptr_t) noexcept {}

    template <class C>
    TBoundMethod(C* object, R (C::*method)(Args...)) noexcept : FObject(object), FInvoke(&Invoke<C>) {
        static_assert(sizeof(method) <= sizeof(FMethod), "member pointer too large");
        std::memcpy(FMethod, &method, sizeof(method));
    }

    explicit operator bool() const noexcept { return FInvoke != nullptr; }
    // An empty method does nothing and answers R's zero value.
    R operator()(Args... args) const {
        if (FInvoke) return FInvoke(FObject, FMethod, args...);
        return R();
    }
    bool operator==(const TBoundMethod& other) const noexcept {
        return FObject == other.FObject && FInvoke == other.FInvoke &&
               std::memcmp(FMethod, other.FMethod, sizeof(FMethod)) == 0;
    }
    void* Object() const noexcept { return FObject; }

private:
    template <class C>
    static R Invoke(void* object, const unsigned char* bytes, Args... args) {
        R (C::*method)(Args...);
        std::memcpy(&method, bytes, sizeof(method));
        return (static_cast<C*>(object)->*method)(args...);
    }

    void* FObject = nullptr;
    unsigned char FMethod[16] = {};
    R (*FInvoke)(void*, const unsigned char*, Args...) = nullptr;
};

// The common event shapes; the sender comes first.
using TNotifyEvent = TBoundMethod<void(TObject* sender)>;
using TIdleEvent = TBoundMethod<void(TObject* sender, bool& done)>;
using TCloseQueryEvent = TBoundMethod<void(TObject* sender, bool& canClose)>;
// A parameterless method run on the GUI thread by TThread::Synchronize.
using TThreadMethod = TBoundMethod<void()>;
