#include "tools/batch_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace {

// A child's result travels back in a file the parent opened before the fork.
struct ChildFiles {
  std::FILE* output = nullptr;   // the child's stdout and stderr
  std::FILE* summary = nullptr;  // status, result code, frames, seconds
};

std::string ReadAll(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  return text;
}

[[noreturn]] void RunChild(const RunOptions& options, const std::string& image,
                           const ChildFiles& files) {
  ::dup2(::fileno(files.output), STDOUT_FILENO);
  ::dup2(::fileno(files.output), STDERR_FILENO);
  RunOptions single = options;
  single.image = image;
  single.images = {image};
  single.junitFile.clear();
  single.jobs = 0;
  RunSummary summary;
  RunHeadless(single, stderr, &summary);
  std::fflush(stdout);
  std::fflush(stderr);
  std::fprintf(files.summary, "%d %d %lu %.6f\n", summary.status, summary.resultCode,
               summary.frames, summary.seconds);
  std::fflush(files.summary);
  ::_exit(summary.status);
}

ImageResult Collect(const std::string& image, const ChildFiles& files, int waitStatus) {
  ImageResult result;
  result.image = image;
  result.output = ReadAll(files.output);
  std::string summary = ReadAll(files.summary);
  RunSummary& s = result.summary;
  if (std::sscanf(summary.c_str(), "%d %d %lu %lf", &s.status, &s.resultCode, &s.frames,
                  &s.seconds) != 4) {
    s = RunSummary{};
    result.output += WIFSIGNALED(waitStatus)
                         ? std::string("the run ended by signal ") + strsignal(WTERMSIG(waitStatus))
                         : std::string("the run ended without a result");
    result.output += "\n";
  }
  std::fclose(files.output);
  std::fclose(files.summary);
  return result;
}

void PrintLine(const ImageResult& result, bool verbose) {
  std::printf("%-12s %6lu frames %7.2f s  %s\n", VerdictText(result.summary).c_str(),
              result.summary.frames, result.summary.seconds, result.image.c_str());
  if (verbose || result.summary.status != kExitPassed) {
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) std::printf("    %s\n", line.c_str());
  }
  std::fflush(stdout);
}

// Characters XML 1.0 cannot carry are dropped; the five special ones escaped.
std::string XmlEscape(const std::string& text) {
  std::string escaped;
  for (unsigned char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      default:
        if (c >= 0x20 || c == '\n' || c == '\t' || c == '\r') escaped += static_cast<char>(c);
    }
  }
  return escaped;
}

}  // namespace

std::string VerdictText(const RunSummary& summary) {
  switch (summary.status) {
    case kExitPassed:
      return "PASS";
    case kExitFailed:
      return summary.resultCode > 0 ? "FAIL code " + std::to_string(summary.resultCode) : "FAIL";
    case kExitTimedOut:
      return "TIMEOUT";
    default:
      return "ERROR";
  }
}

bool WriteJunitReport(const std::string& path, const std::vector<ImageResult>& results,
                      std::string& error) {
  int failures = 0, errors = 0;
  double seconds = 0;
  for (const ImageResult& result : results) {
    failures += result.summary.status == kExitFailed || result.summary.status == kExitTimedOut;
    errors += result.summary.status == kExitError;
    seconds += result.summary.seconds;
  }
  std::ostringstream xml;
  xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  xml << "<testsuites tests=\"" << results.size() << "\" failures=\"" << failures << "\" errors=\""
      << errors << "\" time=\"" << seconds << "\">\n";
  xml << "  <testsuite name=\"taviro-run\" tests=\"" << results.size() << "\" failures=\""
      << failures << "\" errors=\"" << errors << "\" time=\"" << seconds << "\">\n";
  for (const ImageResult& result : results) {
    const std::string verdict = VerdictText(result.summary);
    xml << "    <testcase classname=\"taviro-run\" name=\"" << XmlEscape(result.image)
        << "\" time=\"" << result.summary.seconds << "\">\n";
    if (result.summary.status == kExitError)
      xml << "      <error message=\"" << verdict << "\">" << XmlEscape(result.output)
          << "</error>\n";
    else if (result.summary.status != kExitPassed)
      xml << "      <failure message=\"" << verdict << "\">" << XmlEscape(result.output)
          << "</failure>\n";
    xml << "      <system-out>" << XmlEscape(result.output) << "</system-out>\n";
    xml << "    </testcase>\n";
  }
  xml << "  </testsuite>\n</testsuites>\n";
  std::ofstream out(path, std::ios::binary);
  out << xml.str();
  out.close();
  if (!out) {
    error = "Couldn't write " + path;
    return false;
  }
  return true;
}

int RunBatch(const RunOptions& options) {
  const std::size_t count = options.images.size();
  unsigned int jobs = options.jobs != 0 ? options.jobs : std::thread::hardware_concurrency();
  if (jobs == 0) jobs = 1;
  std::vector<ImageResult> results(count);
  std::vector<bool> done(count, false);
  std::map<pid_t, std::pair<std::size_t, ChildFiles>> running;
  std::size_t next = 0, printed = 0;
  int worst = kExitPassed;
  std::fflush(stdout);
  while (printed < count) {
    while (next < count && running.size() < jobs) {
      ChildFiles files{std::tmpfile(), std::tmpfile()};
      pid_t pid = (files.output && files.summary) ? ::fork() : -1;
      if (pid == 0) RunChild(options, options.images[next], files);
      if (pid < 0) {
        std::fprintf(stderr, "taviro-run: cannot start a run for %s: %s\n",
                     options.images[next].c_str(), std::strerror(errno));
        if (files.output) std::fclose(files.output);
        if (files.summary) std::fclose(files.summary);
        results[next].image = options.images[next];
        done[next++] = true;
        break;
      }
      running[pid] = {next++, files};
    }
    int waitStatus = 0;
    pid_t pid = running.empty() ? -1 : ::waitpid(-1, &waitStatus, 0);
    auto child = running.find(pid);
    if (child != running.end()) {
      const auto [index, files] = child->second;
      running.erase(child);
      results[index] = Collect(options.images[index], files, waitStatus);
      done[index] = true;
    }
    for (; printed < count && done[printed]; ++printed) {
      PrintLine(results[printed], options.verbose);
      worst = WorseExit(worst, results[printed].summary.status);
    }
  }
  std::string error;
  if (!options.junitFile.empty() && !WriteJunitReport(options.junitFile, results, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    worst = WorseExit(worst, kExitError);
  }
  return worst;
}
