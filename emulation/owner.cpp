#include "emulation/owner.h"

Owner<MachineHolder> Machine;
Owner<SurfaceHolder> Surfaces;
