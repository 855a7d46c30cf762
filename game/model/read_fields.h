// Reading the fields of one line of a model file: quoted names, blank lines,
// and whole and real numbers as sscanf reads them, with whole numbers range
// checked. Private to the model reader.
#ifndef VELLIN_READ_FIELDS_H
#define VELLIN_READ_FIELDS_H

constexpr int kNameSize = 32;              // names and texture file names keep 31 characters
constexpr char kBlanks[] = " \t\r\n\v\f";  // what sscanf skips before a number

// Takes a quoted name from the start of `line` into `name`, cut to 31
// characters. The opening quote must be the first character and at least one
// character must follow it. Without `need_close` a missing closing quote lets
// the name run to the end of the line (line end included). Returns the text
// after the closing quote (or the line's end), or null when there is no name.
const char* parse_name(const char* line, char* name, bool need_close);

// A line that holds nothing (or only white space) is allowed at the top level.
bool blank_line(const char* line);

// An optional name line that stores the empty name without saying so: empty,
// or a bare pair of quotes.
bool empty_name_line(const char* line);

// The fields of one line, read in turn as sscanf reads "%d %f ...": each
// skips the white space before it and stops at the first character that
// cannot continue it. A whole number is an optional sign and decimal digits;
// unlike "%d", one outside int's range fails its field (and every later one)
// and is kept for the report, instead of being read as some other number.
class Fields {
  public:
    explicit Fields(const char* text) : at_(text) {}

    Fields& Int(int* value);
    Fields& Float(float* value);

    bool ok() const { return ok_; }
    // After the last field read; the caller reports what is left.
    const char* rest() const { return at_; }
    // The text of the whole number that was out of range, or null.
    const char* wide() const { return wide_; }
    int wide_length() const { return wide_length_; }

  private:
    const char* at_;
    bool ok_ = true;
    const char* wide_ = nullptr;
    int wide_length_ = 0;
};

#endif
