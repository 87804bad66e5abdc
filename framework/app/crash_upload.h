#pragma once
// The crash report upload: a multipart form posted to the report endpoint,
// with the recorded demo attached when there is one.

#include <map>
#include <string>

namespace Kavo {

class HTTPTransfer;

inline constexpr char kCrashUploadBoundary[] = "---------------------------7d3e1f30eec";

struct CrashUpload {
    std::map<std::string, std::string> extraFields; // from the application, sent first in key order
    std::string product;
    std::string version;
    std::string userText;
    std::string errorTitle;
    std::string errorText;
    bool attachDemo = false;
    std::string demoBytes;
};

std::string BuildCrashUploadBody(const CrashUpload& upload);
// The whole POST request for the host text (which may name a port).
std::string BuildCrashUploadRequest(const std::string& host, const std::string& body);
// Starts sending on the transfer; its result tells how it went.
void SubmitCrashReport(HTTPTransfer& transfer, const std::string& host, const CrashUpload& upload);

} // namespace Kavo
