#ifndef ZARVICK_CAMERA_FORM_H
#define ZARVICK_CAMERA_FORM_H

#include "app/form_parts.h"

class Cameras;
class LinkPanel;
namespace Ui {
class MainWindow;
}

// The form as the editor of the active camera: the options box, both Mode
// groups and the speed boxes show its settings, and what the operator
// changes there is that camera's at once. The other cameras keep theirs.
class CameraForm
{
public:
    CameraForm(Ui::MainWindow &form, Cameras &cameras, LinkPanel &links);
    // Puts the active camera's settings into the form.
    void show_active();

private:
    void take_from_form();

    Ui::MainWindow &ui;
    const FormParts parts;
    Cameras &cameras;
    LinkPanel &links;
    // While the form is being filled, its changes are no operator's.
    bool filling = false;
};

#endif
