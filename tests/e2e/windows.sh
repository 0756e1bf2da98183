# The program's four windows as a user meets them: titles, client sizes and the places to click,
# in twips relative to the client area. Sourced after xsession.sh.

PROGRAM_TITLE='Administrador de historial - Tilu'

# Presentación, the welcome window.
WELCOME=("$PROGRAM_TITLE" 4005 1950)
WELCOME_SALIR=(120 1440 1695 375)
WELCOME_ACEPTAR=(2160 1440 1695 375)

# Form1, the main window.
MAIN=("$PROGRAM_TITLE" 5295 4290)
MAIN_LIST=(225 1050 4830 1590)
MAIN_MODIFY_TEXT=(1185 3165 960 255)  # "Modificar"
MAIN_MODIFY_ICON=(330 2910 720 720)   # the notebook
MAIN_MODIFY_BOX=(225 2910 2295 735)
MAIN_DELETE_TEXT=(3450 3165 1470 255) # "Borrar dirección"
MAIN_DELETE_ICON=(2745 2910 720 720)  # the cross
MAIN_DELETE_BOX=(2745 2910 2295 735)
MAIN_REFRESH=(4185 570 450 255)       # "aquí"
MAIN_STATUS=(90 4020 5175 255)        # the status line, which a click leaves alone

# Form2, the edit dialog.
EDIT=('Modificar Dirección' 4680 1920)
EDIT_CANCELAR=(480 1380 1695 375)
EDIT_ACEPTAR=(2475 1380 1695 375)

# Mensaje, the message dialog.
MESSAGE=('Mensaje - studio Tilu' 4155 1605)
MESSAGE_BUTTON=(1260 1050 1695 390)

# Colours as the screen shows them (red, green, blue).
BACKGROUND='230,237,250'  # of every window's client area and of the list
