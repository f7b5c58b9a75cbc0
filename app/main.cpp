/*******************************************************************************
 * app/main.cpp - the lumiker designer: start up, then run the event loop
 ******************************************************************************/
#include "app/cli.h"
#include "app/startup.h"
#include <GL/freeglut.h>

int main(int argc, char** argv)
{
    workspace_choice ws;
    int status = designer_command_line(argc, argv, ws);
    if (status >= 0) return status;
    status = startup(&argc, argv, ws.dir.c_str(), ws.fonts.c_str());
    if (status != 0) return status;
    glutMainLoop();
    return 0;
}
