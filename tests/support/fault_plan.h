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
        rule_ = [op = std::move(op), n](std::string_view o, std::string_view) mutable { return o == op && n-- == 0; };
    }
    void clear() { rule_ = nullptr; }
    bool should_fail(std::string_view op, std::string_view subject) { return rule_ && rule_(op, subject); }

private:
    Rule rule_;
};

}  // namespace sx::fake
