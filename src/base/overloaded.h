#pragma once

// One visitor made of several lambdas, one for each alternative of a std::variant.
template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;
