#pragma once

namespace brisca {

class Form2;
class Form4;
class Form7;

// The main window, created on first use and kept until DestroyForms.
Form2& form2();
// The file-saved notice window, created on first use.
Form4& form4();
// The readme viewer, created on first use.
Form7& form7();
// Deletes every window created so far (at the end of the program or of a test).
void DestroyForms();

} // namespace brisca
