#include "framework/app/crash_upload.h"

#include "framework/app/http_transfer.h"

namespace Kavo {

namespace {

void AddField(std::string& body, const std::string& name, const std::string& value) {
    body += std::string("--") + kCrashUploadBoundary + "\r\nContent-Disposition: form-data; name=\"" + name +
            "\"\r\n\r\n" + value + "\r\n";
}

} // namespace

std::string BuildCrashUploadBody(const CrashUpload& upload) {
    std::string body;
    for (const auto& [name, value] : upload.extraFields)
        AddField(body, name, value);
    AddField(body, "prod", upload.product);
    AddField(body, "version", upload.version);
    AddField(body, "usertext", upload.userText);
    AddField(body, "errortitle", upload.errorTitle);
    AddField(body, "errortext", upload.errorText);
    if (upload.attachDemo) {
        body += std::string("--") + kCrashUploadBoundary +
                "\r\nContent-Disposition: form-data; name=\"demofile\"; filename=\"velmar.dmo\"\r\n"
                "Content-Type: application/octet-stream\r\n\r\n" +
                upload.demoBytes + "\r\n";
    }
    body += std::string("--") + kCrashUploadBoundary + "--\r\n";
    return body;
}

std::string BuildCrashUploadRequest(const std::string& host, const std::string& body) {
    return std::string("POST /varnel_error.php HTTP/1.1\r\nContent-Type: multipart/form-data; boundary=") +
           kCrashUploadBoundary + "\r\nUser-Agent: Mozilla/4.0 (compatible; velmar)\r\nHost: " + host +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

void SubmitCrashReport(HTTPTransfer& transfer, const std::string& host, const CrashUpload& upload) {
    transfer.SendRequest(host, BuildCrashUploadRequest(host, BuildCrashUploadBody(upload)));
}

} // namespace Kavo
