// The program's exception classes: one base carrying the user-facing message, and the named
// classes the documented failures use. Nothing here formats for display; that is the caller's job.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace plexon {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    // A file error also names the file and says why, in the system's words: "cannot write: No space
    // left on device". The message stays the documented text.
    Exception(std::string message, std::string filePath, std::string fileReason)
        : message_(std::move(message)), filePath_(std::move(filePath)), fileReason_(std::move(fileReason)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }
    // Empty unless the error is about a file.
    const std::string& FilePath() const noexcept { return filePath_; }
    const std::string& FileReason() const noexcept { return fileReason_; }

private:
    std::string message_;
    std::string filePath_;
    std::string fileReason_;
};

// "ACTION: the system's text for the error number", as a file error's reason: "cannot open: Permission
// denied".
std::string FileReason(std::string_view action, int error);

// Replaces each "%s" of the pattern, in order, with the next argument ("%%" gives "%"); "%d" takes
// the next argument too, already turned into text by the caller.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);

#define PLEXON_EXCEPTION(Name, Base)        \
    class Name : public Base {              \
    public:                                 \
        using Base::Base;                   \
    }

PLEXON_EXCEPTION(EAbort, Exception);
PLEXON_EXCEPTION(EStreamError, Exception);
PLEXON_EXCEPTION(EFOpenError, EStreamError);
PLEXON_EXCEPTION(EFCreateError, EStreamError);
PLEXON_EXCEPTION(EFilerError, EStreamError);
PLEXON_EXCEPTION(EReadError, EFilerError);
PLEXON_EXCEPTION(EWriteError, EFilerError);
PLEXON_EXCEPTION(EOutOfResources, Exception);
PLEXON_EXCEPTION(EOSError, Exception);
PLEXON_EXCEPTION(EInvalidOperation, Exception);
PLEXON_EXCEPTION(EInvalidGraphic, Exception);
PLEXON_EXCEPTION(EInvalidGraphicOperation, Exception);
PLEXON_EXCEPTION(EIniFileException, Exception);
PLEXON_EXCEPTION(EResNotFound, Exception);
PLEXON_EXCEPTION(EConvertError, Exception);

#undef PLEXON_EXCEPTION

// The documented message texts, so that raising sites and tests spell them once.
namespace msg {
inline constexpr std::string_view kInvalidBitmap = "Bitmap image is not valid";
inline constexpr std::string_view kInvalidPixelFormat = "Invalid pixel format";
inline constexpr std::string_view kScanLineRange = "Scan line index out of range";
inline constexpr std::string_view kFOpen = "Cannot open file %s";
inline constexpr std::string_view kFCreate = "Cannot create file %s";
inline constexpr std::string_view kReadError = "Stream read error";
inline constexpr std::string_view kWriteError = "Stream write error";
inline constexpr std::string_view kOutOfResources = "Out of system resources";
inline constexpr std::string_view kOSError = "System Error.  Code: %d.\n%s";
inline constexpr std::string_view kNoCanvasHandle = "Canvas does not allow drawing";
inline constexpr std::string_view kIniWrite = "Unable to write to %s";
inline constexpr std::string_view kResNotFound = "Resource %s not found";
inline constexpr std::string_view kUnsupportedClipboard = "Unsupported clipboard format";
inline constexpr std::string_view kAssignError = "Cannot assign a %s to a %s";
// The reasons that are ours rather than the system's.
inline constexpr std::string_view kNotRegularFile = "cannot open: not a regular file";
}  // namespace msg

// The text an error is shown with: the message with "." appended when its last character sorts
// after ".". The window's error display and the batch command's error lines share it.
std::string ErrorDisplayText(const std::string& message);

}  // namespace plexon
