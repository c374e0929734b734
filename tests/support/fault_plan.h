// Makes chosen operations of the in-memory fakes fail, so tests can check that a failed step loses
// nothing. An operation is named "<interface>.<operation>" ("registry.set", "files.move") and the
// subject is the key path, value or file path it works on.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace sx::fake {

class FaultPlan {
public:
    using Rule = std::function<bool(std::string_view op, std::string_view subject)>;

    void fail_when(Rule rule) { rule_ = std::move(rule); }
    // Fails the n-th matching call from now on (0 = the next one), once.
    void fail_nth(std::string op, int n) {
        int left = n;
        rule_ = [op = std::move(op), left](std::string_view o, std::string_view) mutable {
            if (o != op) return false;
            return left-- == 0;
        };
    }
    void clear() { rule_ = nullptr; }

    // Called by the fakes; counts every call so tests can size their fault sweeps.
    bool should_fail(std::string_view op, std::string_view subject) {
        ++calls_;
        return rule_ && rule_(op, subject);
    }
    long calls() const { return calls_; }

private:
    Rule rule_;
    long calls_ = 0;
};

}  // namespace sx::fake
