#include "core/creator/UpdateCheck.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TAnswerCase {
  const char* What;
  bool Succeeded;
  std::string Body;
  TUpdateVerdict Verdict;
  std::wstring Version, Address;
  bool Openable;
};

}  // namespace

TEST(UpdateCheck, AnswersOfTheServer) {
  const std::string site = "https://example.org/heapfold/download/";
  const std::wstring wideSite = L"https://example.org/heapfold/download/";
  const TAnswerCase cases[] = {
      {"newer version", true, "1.3+++++121+++++" + site, TUpdateVerdict::NewVersion, L"1.3", wideSite, true},
      {"same version text", true, "1.2+++++121+++++" + site, TUpdateVerdict::NoUpdate, L"1.2", wideSite, true},
      {"build not above ours", true, "1.3+++++120+++++" + site, TUpdateVerdict::NoUpdate, L"1.3", wideSite, true},
      {"build not a number", true, "1.3+++++abc+++++" + site, TUpdateVerdict::NoUpdate, L"1.3", wideSite, true},
      {"CR LF between fields: the LF stays in the build", true, "1.3\r\n+++++121\r\n+++++" + site,
       TUpdateVerdict::NoUpdate, L"1.3\n", wideSite, true},
      {"no third field: the offer, nothing to open", true, "1.3+++++121", TUpdateVerdict::NewVersion, L"1.3", L"",
       false},
      {"trailing separator", true, "1.3+++++121+++++" + site + "+++++", TUpdateVerdict::NewVersion, L"1.3", wideSite,
       true},
      {"only carriage returns: empty", true, "\r\r\r", TUpdateVerdict::Failure, L"", L"", false},
      {"failed request", false, "1.3+++++121+++++" + site, TUpdateVerdict::Failure, L"", L"", false},
      {"a file address is never opened", true, "1.3+++++121+++++file:///C:/Windows/notepad.exe",
       TUpdateVerdict::NewVersion, L"1.3", L"file:///C:/Windows/notepad.exe", false},
      {"a program name is never opened", true, "1.3+++++121+++++calc.exe", TUpdateVerdict::NewVersion, L"1.3",
       L"calc.exe", false},
      {"UTF-8 text", true, "1.3 \xC3\xA9t\xC3\xA9+++++200+++++http://example.org/", TUpdateVerdict::NewVersion,
       L"1.3 \u00e9t\u00e9", L"http://example.org/", true},
  };
  for (const TAnswerCase& c : cases) {
    const TUpdateAnswer answer = ReadUpdateAnswer(c.Succeeded, c.Body);
    EXPECT_EQ(answer.Verdict, c.Verdict) << c.What;
    EXPECT_EQ(answer.VersionText, c.Version) << c.What;
    EXPECT_EQ(answer.DownloadAddress, c.Address) << c.What;
    EXPECT_EQ(answer.AddressOpenable, c.Openable) << c.What;
  }
  EXPECT_EQ(NewVersionText(L"1.3"), L"A new version (1.3) is available.  Download it now?");
}

TEST(UpdateCheck, LongOrBinaryAnswersAreCutAndReadSafely) {
  std::string huge = "1.3+++++121+++++http://example.org/";
  huge += std::string(1 << 20, 'x');
  const TUpdateAnswer answer = ReadUpdateAnswer(true, huge);
  EXPECT_EQ(answer.Verdict, TUpdateVerdict::NewVersion);
  EXPECT_LE(answer.DownloadAddress.size(), kUpdateAnswerLimit);
  const std::string binary("\xFF\xFE\x00\x01\xC3+++++\x80", 11);
  EXPECT_EQ(ReadUpdateAnswer(true, binary).Verdict, TUpdateVerdict::NoUpdate);
}

TEST(UpdateCheck, BuildNumbersAndWebAddresses) {
  EXPECT_EQ(ReadBuildNumber(L"121"), 121);
  EXPECT_EQ(ReadBuildNumber(L"-5"), -5);
  EXPECT_EQ(ReadBuildNumber(L""), 0);
  EXPECT_EQ(ReadBuildNumber(L"12a"), 0);
  EXPECT_EQ(ReadBuildNumber(L"121\n"), 0);
  EXPECT_EQ(ReadBuildNumber(L"99999999999"), 0);
  for (const wchar_t* ok : {L"http://example.org", L"HTTPS://Example.org/a?b=c", L"http://127.0.0.1:8123/x"})
    EXPECT_TRUE(IsWebAddress(ok)) << ok;
  for (const wchar_t* no : {L"", L"file:///C:/x", L"javascript:alert(1)", L"calc.exe", L"C:\\Windows\\notepad.exe",
                            L"http://", L"https:///path", L"http://host/a b", L"ftp://host/", L"\\\\server\\share"})
    EXPECT_FALSE(IsWebAddress(no)) << no;
}

namespace {

struct TServerCase {
  const wchar_t* Text;
  bool Secure;
  const wchar_t* Host;
  int Port;
};

}  // namespace

TEST(UpdateCheck, ServerAddressesThatAreRead) {
  const TServerCase cases[] = {
      {kDefaultUpdateServer, true, L"www.brenwick.example", 443},
      {L"https://www.brenwick.example/", true, L"www.brenwick.example", 443},
      {L"http://127.0.0.1", false, L"127.0.0.1", 80},
      {L"http://127.0.0.1:8123/", false, L"127.0.0.1", 8123},
      {L"HTTPS://Example.ORG:1", true, L"Example.ORG", 1},
      {L"hTtP://host:65535", false, L"host", 65535},
      {L"https://host:00443", true, L"host", 443},
      {L"http://host:443", false, L"host", 443},
      {L"https://localhost:80/", true, L"localhost", 80},
      {L"http://[::1]:8080/", false, L"[::1]", 8080},
      {L"https://[fe80::1]", true, L"[fe80::1]", 443},
      {L"http://h\u00e9te.example", false, L"h\u00e9te.example", 80},
  };
  for (const TServerCase& c : cases) {
    const std::optional<TServerAddress> address = ParseServerAddress(c.Text);
    ASSERT_TRUE(address.has_value()) << c.Text;
    EXPECT_EQ(address->Secure, c.Secure) << c.Text;
    EXPECT_EQ(address->Host, c.Host) << c.Text;
    EXPECT_EQ(address->Port, c.Port) << c.Text;
  }
}

TEST(UpdateCheck, ServerAddressesThatAreRefused) {
  const std::vector<std::wstring> refused[] = {
      // no scheme, or another one
      {L"", L"garbage", L"www.brenwick.example", L"file:///C:/Windows", L"ftp://host", L"http:/host", L"https//host"},
      // no host, or more than a host
      {L"http://", L"https:///", L"http://host//", L"http://host/path", L"http://host/path/", L"http://host?q=1",
       L"http://host/?q=1", L"http://host#top", L"http://user@host", L"http://user:pw@host", L"http://host\\x"},
      // blanks and control characters
      {L"http://ho st", L" http://host", L"http://host ", L"http://host\t", L"http://ho\x7Fst", L"http://ho\x85st",
       std::wstring(L"http://ho\0st", 12)},
      // ports
      {L"http://host:", L"http://host:/", L"http://host:0", L"http://host:65536", L"http://host:99999999999",
       L"http://host:-1", L"http://host:+80", L"http://host:8o", L"http://host:80:80", L"http://:80"},
      // IPv6 addresses out of brackets or malformed
      {L"http://[::1", L"http://[]", L"http://[1.2.3.4]", L"http://[::g]", L"http://[::1]x", L"http://::1"},
  };
  for (const std::vector<std::wstring>& group : refused)
    for (const std::wstring& text : group) EXPECT_FALSE(ParseServerAddress(text).has_value()) << text;
}
