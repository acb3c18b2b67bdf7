// What librsvg says of the images a document refers to. It leaves out an image it cannot load (a
// missing file, one above the document's folder, one too large for the helper's memory) and says so
// only in its log; the helper turns that into a refusal, since a strip drawn without it is wrong.
#pragma once

#include <optional>
#include <string>

namespace plexon {

class SvgImageLog {
  public:
    // Turns librsvg's log on and takes standard output, where it writes, into a pipe of our own.
    // Before the library is loaded.
    SvgImageLog();
    ~SvgImageLog();
    SvgImageLog(const SvgImageLog&) = delete;
    SvgImageLog& operator=(const SvgImageLog&) = delete;

    // Empties the log; the first image it names as not loaded, as a reason ("the image \"a.png\"
    // could not be loaded: ..."), or none.
    std::optional<std::string> TakeFailedImage();

  private:
    int reader_ = -1;
    std::string pending_;  // a line not yet ended
};

}  // namespace plexon
