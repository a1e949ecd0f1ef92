// Why a file could not be read or written, in words for the user.
#pragma once

#include <QString>
#include <type_traits>

namespace kanoby {

// The reason for the failure with the errno value `errorNumber`: in Japanese
// for the causes a user meets (no permission, a full disk or a file-size
// limit, a read-only file system, a directory of the file's name or a file of
// the folder's, a missing directory, a failing disk, a file another program
// holds), and `systemText`, the system's own words, for anything else.
QString FileErrorReason(int errorNumber, const QString& systemText);

// The error of the file call that failed last, as an errno value (Windows'
// own error codes translated for the causes above); 0 when there is none.
int LastFileError();

// Forgets the last error, so that an old one is never taken for a new one.
void ClearFileError();

// Runs the file call `call` with the last error forgotten first, so that an
// old error is never taken for its own; `errorNumber` receives the error it
// leaves, as LastFileError() gives it, and its result is returned.
template <typename Call>
auto CaptureFileError(int& errorNumber, Call&& call) {
    ClearFileError();
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
        errorNumber = LastFileError();
    } else {
        auto result = call();
        errorNumber = LastFileError();
        return result;
    }
}

}  // namespace kanoby
