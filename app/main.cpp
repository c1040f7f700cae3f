#include <exception>
#include <memory>

#include "Application.h"
#include "FatalError.h"
#include "ThrowSite.h"
#include "dbaccess/drivers/Drivers.h"
#include "dialog/Boxes.h"
#include "dialog/UTraslado.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    std::unique_ptr<TF_Traslado> dialog;
    try {
        dbaccess::RegisterDrivers();
        dialog = std::make_unique<TF_Traslado>(StandardBoxes());
    } catch (const std::exception& error) {
        // Building the dialog sets F_Traslado first; a failed build leaves none.
        F_Traslado = nullptr;
        ShowFatalError(FatalErrorText(CurrentExceptionTypeName(), LastThrowSite(), QString::fromUtf8(error.what())));
        return 1;
    }
    dialog->show();
    application.exec();
    return 0;
}
