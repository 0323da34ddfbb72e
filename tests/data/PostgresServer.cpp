#include "tests/data/PostgresServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

extern char** environ;

namespace {

const char* const SuperUser = "tandrel";
// Every tool call is cut off after this many seconds.
const char* const ToolTimeoutSeconds = "60";

std::string FindBinDir() {
  std::error_code Ec;
  std::string Best;
  for (const auto& Entry : std::filesystem::directory_iterator("/usr/lib/postgresql", Ec)) {
    const std::string Bin = Entry.path().string() + "/bin";
    if (std::filesystem::exists(Bin + "/initdb") && std::filesystem::exists(Bin + "/pg_ctl") && Bin > Best) Best = Bin;
  }
  return Best;
}

// A loopback port nobody listens on right now.
int FreeLoopbackPort() {
  const int Fd = socket(AF_INET, SOCK_STREAM, 0);
  if (Fd < 0) return 0;
  sockaddr_in Address{};
  Address.sin_family = AF_INET;
  Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t Length = sizeof Address;
  int Port = 0;
  if (bind(Fd, reinterpret_cast<sockaddr*>(&Address), sizeof Address) == 0 &&
      getsockname(Fd, reinterpret_cast<sockaddr*>(&Address), &Length) == 0)
    Port = ntohs(Address.sin_port);
  close(Fd);
  return Port;
}

// Runs Command with its output appended to Log.
bool RunAndWait(const std::vector<std::string>& Command, const std::string& Log) {
  std::vector<char*> Argv;
  for (const std::string& A : Command) Argv.push_back(const_cast<char*>(A.c_str()));
  Argv.push_back(nullptr);
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, Log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&Actions, STDOUT_FILENO, STDERR_FILENO);
  pid_t Pid;
  const int Spawned = posix_spawnp(&Pid, Argv[0], &Actions, nullptr, Argv.data(), environ);
  posix_spawn_file_actions_destroy(&Actions);
  if (Spawned != 0) return false;
  int Status = 0;
  if (waitpid(Pid, &Status, 0) != Pid) return false;
  return WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
}

}  // namespace

TPostgresServer& TPostgresServer::Shared() {
  static TPostgresServer Server;
  return Server;
}

TPostgresServer::TPostgresServer() { Start(); }

TPostgresServer::~TPostgresServer() { Stop(); }

bool TPostgresServer::RunTool(const std::string& Tool, const std::vector<std::string>& Args) const {
  std::vector<std::string> Command{"timeout", ToolTimeoutSeconds};
  if (AsPostgresUser_) Command.insert(Command.end(), {"runuser", "-u", "postgres", "--"});
  Command.push_back(BinDir_ + "/" + Tool);
  Command.insert(Command.end(), Args.begin(), Args.end());
  return RunAndWait(Command, Folder_ + "/tools.log");
}

void TPostgresServer::Start() {
  BinDir_ = FindBinDir();
  if (BinDir_.empty()) {
    SkipReason_ = "PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/initdb); ./dev setup installs it";
    return;
  }
  // The server refuses to run as root.
  AsPostgresUser_ = geteuid() == 0;
  const passwd* Postgres = AsPostgresUser_ ? getpwnam("postgres") : nullptr;
  if (AsPostgresUser_ && Postgres == nullptr) {
    SkipReason_ = "running as root and there is no postgres user to run the server as";
    return;
  }
  char Pattern[] = "/tmp/tandrel-pg-XXXXXX";
  if (mkdtemp(Pattern) == nullptr) {
    SkipReason_ = "cannot make a temporary folder";
    return;
  }
  Folder_ = Pattern;
  if (Postgres != nullptr && chown(Folder_.c_str(), Postgres->pw_uid, Postgres->pw_gid) != 0) {
    SkipReason_ = "cannot hand the temporary folder to the postgres user";
    return;
  }
  Port_ = FreeLoopbackPort();
  const std::string Data = Folder_ + "/data";
  if (!RunTool("initdb", {"-D", Data, "-U", SuperUser, "-A", "trust", "-E", "UTF8", "--no-locale", "--no-sync"})) {
    SkipReason_ = "initdb failed; see " + Folder_ + "/tools.log";
    return;
  }
  const std::string Options =
      "-F -p " + std::to_string(Port_) + " -k " + Folder_ + " -c listen_addresses=127.0.0.1";
  if (!RunTool("pg_ctl", {"-D", Data, "-l", Folder_ + "/server.log", "-w", "-t", "30", "-o", Options, "start"})) {
    SkipReason_ = "the server did not start; see " + Folder_ + "/server.log";
    return;
  }
  Running_ = true;
}

void TPostgresServer::Stop() {
  if (Running_) RunTool("pg_ctl", {"-D", Folder_ + "/data", "-m", "fast", "-w", "-t", "30", "stop"});
  Running_ = false;
  if (!Folder_.empty() && SkipReason_.empty()) {
    std::error_code Ec;
    std::filesystem::remove_all(Folder_, Ec);
  }
}

std::string TPostgresServer::ConnectionString() const {
  return "Provider=PostgreSQL;Host=127.0.0.1;Port=" + std::to_string(Port_) + ";Database=postgres;User ID=" +
         SuperUser;
}
