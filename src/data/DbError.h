#pragma once
// What the data layer throws when an operation cannot be carried out: the
// text is for the user, and names the database (the file, or the server
// without its password). The windows catch it at the top of their handlers.
#include <stdexcept>

class DbError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An update refused because another PC changed or deleted the record since
// it was shown; its text names the record.
class DbConflict : public DbError {
 public:
  using DbError::DbError;
};
