// One visitor made of several lambdas, for std::visit.
#pragma once

namespace tavrine {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace tavrine
