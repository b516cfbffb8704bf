#pragma once
// The program's statements run under a resume-next rule: a statement that
// fails is skipped and the next one runs.

namespace cindral::startup {

// Runs one statement; whatever it throws is dropped and the caller goes on.
template <typename Statement>
void ResumeNext(Statement&& statement) {
    try {
        statement();
    } catch (...) {
    }
}

}  // namespace cindral::startup
