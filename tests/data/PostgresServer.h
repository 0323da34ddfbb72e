#pragma once

#include <memory>
#include <string>
#include <vector>

// A PostgreSQL server of its own for the tests: a fresh cluster in a
// temporary folder, listening on a free loopback port, started at the first
// use in a test program and stopped when the program ends. When PostgreSQL is
// not installed (or cannot run here), SkipReason() says why.
class TPostgresServer {
 public:
  // The one server of this process, started on first call.
  static TPostgresServer& Shared();
  ~TPostgresServer();

  bool Running() const { return Running_; }
  const std::string& SkipReason() const { return SkipReason_; }
  // For the data layer: "Provider=PostgreSQL;Host=127.0.0.1;Port=...".
  std::string ConnectionString() const;

 private:
  TPostgresServer();
  void Start();
  void Stop();
  // Runs a program of the server's installation (as the postgres user when
  // running as root); false when it fails.
  bool RunTool(const std::string& Tool, const std::vector<std::string>& Args) const;

  std::string BinDir_;
  std::string Folder_;
  int Port_ = 0;
  bool AsPostgresUser_ = false;
  bool Running_ = false;
  std::string SkipReason_;
};
