#pragma once

#include "failure.h"

#include <QString>
#include <exception>
#include <functional>
#include <utility>

namespace support {

// Shows one trapped failure: its description, the procedure path and the line reached.
using ErrorReporter =
    std::function<void(const QString& description, const QString& procedure, int line)>;

// Runs the numbered steps of one procedure. A step that throws is reported with
// its line number and the procedure goes on with the step after it: nothing is
// rolled back and the procedure is never cut short.
class StepTrap {
public:
    StepTrap(QString procedure, ErrorReporter report)
        : procedure_(std::move(procedure)), report_(std::move(report)) {}

    // A plain step.
    template <class Step> void operator()(int line, Step&& step) {
        run(line, [&] {
            std::forward<Step>(step)();
            return true;
        });
    }

    // A test that guards a block of its own: when the test itself fails, the
    // block runs as if the test had passed.
    template <class Test> bool guard(int line, Test&& test) {
        return run(line, std::forward<Test>(test), true);
    }

    // A test written together with its action as one step: when the test itself
    // fails, the action is skipped.
    template <class Test> bool test(int line, Test&& test) {
        return run(line, std::forward<Test>(test), false);
    }

    const QString& procedure() const { return procedure_; }
    int line() const { return line_; }

private:
    template <class Body> bool run(int line, Body&& body, bool onFailure = false) {
        line_ = line;
        try {
            return std::forward<Body>(body)();
        } catch (const Failure& failure) {
            report_(failure.description(), procedure_, line_);
        } catch (const std::exception& error) {
            report_(QString::fromUtf8(error.what()), procedure_, line_);
        } catch (...) {
            report_(QStringLiteral("Unknown error"), procedure_, line_);
        }
        return onFailure;
    }

    QString procedure_;
    ErrorReporter report_;
    int line_ = 0;
};

} // namespace support
