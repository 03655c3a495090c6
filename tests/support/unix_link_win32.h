#pragma once
// A Unix symbolic link made under Wine, which reports it as a folder with
// FILE_ATTRIBUTE_REPARSE_POINT (Wine's CreateSymbolicLinkW makes nothing).
// The link itself is removed at the end; what it points to is not touched.
#include <string>

// The Unix path of a Windows one, as Wine maps it; empty when not under Wine.
std::string WineUnixPath(const std::u16string& path);

class UnixLink {
  public:
    // target and link are Windows paths; target must exist.
    UnixLink(const std::u16string& target, const std::u16string& link);
    ~UnixLink();
    UnixLink(const UnixLink&) = delete;
    UnixLink& operator=(const UnixLink&) = delete;

    // False when not running under Wine or the link could not be made.
    bool Made() const { return made_; }

  private:
    std::u16string link_;
    std::string unixLink_;
    bool made_ = false;
};
