// Puts a test double into one of the program's seams (a struct of system
// calls, or the trace's listener) for one scope, and puts back what was
// there before when the scope ends:
//
//     ScopedSeam refusing(registry_calls, RegistryCalls{create_key, set_value, delete_key, close_key});
#pragma once

template <typename T>
class ScopedSeam {
public:
    ScopedSeam(T& target, const T& replacement) : target_(target), saved_(target) { target_ = replacement; }
    ~ScopedSeam() { target_ = saved_; }
    ScopedSeam(const ScopedSeam&) = delete;
    ScopedSeam& operator=(const ScopedSeam&) = delete;

private:
    T& target_;
    T saved_;
};
