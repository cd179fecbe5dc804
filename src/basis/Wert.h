// One field of a database record: empty (null), a whole number, a real
// number or a text.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace wx {

class Wert {
public:
    Wert() = default;
    Wert(int64_t z) : v_(z) {}
    Wert(double d) : v_(d) {}
    Wert(std::string s) : v_(std::move(s)) {}
    Wert(const char* s) : v_(std::string(s)) {}

    bool istNull() const { return std::holds_alternative<std::monostate>(v_); }
    std::string text() const;  // numbers written in decimal; null gives ""
    int64_t zahl() const;      // texts read by their leading number; null gives 0
    const auto& roh() const { return v_; }

private:
    std::variant<std::monostate, int64_t, double, std::string> v_;
};

}  // namespace wx
