/*******************************************************************************
 * app/main.cpp - the lumiker designer: start up, then run the event loop
 ******************************************************************************/
#include "app/startup.h"
#include <GL/freeglut.h>

int main(int argc, char** argv)
{
    int status = startup(&argc, argv);
    if (status != 0) return status;
    glutMainLoop();
    return 0;
}
