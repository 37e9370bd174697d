#include "Forms.h"

#include <memory>

#include "setup/Form2.h"
#include "setup/Form4.h"
#include "setup/Form7.h"

namespace brisca {

namespace {

// Windows live from their first use to DestroyForms, never beyond the application object.
struct Windows {
    std::unique_ptr<Form7> form7;
    std::unique_ptr<Form4> form4;
    std::unique_ptr<Form2> form2;
};

Windows& windows()
{
    static Windows all;
    return all;
}

template <typename Form> Form& Created(std::unique_ptr<Form>& slot)
{
    if (!slot) slot = std::make_unique<Form>();
    return *slot;
}

} // namespace

Form2& form2() { return Created(windows().form2); }
Form4& form4() { return Created(windows().form4); }
Form7& form7() { return Created(windows().form7); }

void DestroyForms()
{
    windows().form2.reset();
    windows().form4.reset();
    windows().form7.reset();
}

} // namespace brisca
