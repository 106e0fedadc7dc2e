// The outcome of every core operation that can fail: success, or the
// problem, named by the field and its offset in the file where it has one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace params {

struct Problem {
    std::string field;       // catalogue name, "pad", "end" or "spriteAttributeTable[i]"; empty when no field
    std::size_t offset = 0;  // of the field in the file
    std::string message;

    // "FIELD at offset N: MESSAGE", or the message alone when no field is named.
    std::string Describe() const {
        return field.empty() ? message : field + " at offset " + std::to_string(offset) + ": " + message;
    }
};

class [[nodiscard]] Result {
public:
    Result() = default;  // success
    Result(Problem problem) : problem_(std::move(problem)) {}
    static Result Fail(std::string message) { return Problem{{}, 0, std::move(message)}; }

    bool Ok() const { return !problem_; }
    explicit operator bool() const { return Ok(); }
    // Only on failure.
    const Problem& GetProblem() const { return *problem_; }
    Problem& GetProblem() { return *problem_; }

private:
    std::optional<Problem> problem_;
};

}  // namespace params
