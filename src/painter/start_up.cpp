#include "start_up.h"

#include "drawing_surface.h"
#include "painter_settings.h"
#include "painter_state.h"

void startUp(PainterState& state, DrawingSurface& picture)
{
    state.Gruix = settings::kGruixNormal;
    state.NombreColors = settings::kColorsMolts;
    state.Velocitat = settings::kVelocitatMolta;
    picture.ClearPicture();
}
